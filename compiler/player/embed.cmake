# Writes the player's script and styles into a C++ source as two string constants, so that the
# compiler carries them without reading any file at run time. Comment lines, indentation and
# blank lines are left out of the page; the files themselves stay as they are written.
#   cmake -DPLAYER_DIR=<compiler/player> -DOUTPUT=<file.cpp> -P embed.cmake

function(parl_read_script out)
  set(text "")
  foreach(name ${ARGN})
    file(READ "${PLAYER_DIR}/${name}" part)
    string(APPEND text "\n${part}")
  endforeach()
  string(REPLACE "\r" "" text "${text}")
  string(REGEX REPLACE "\n[ \t]*//[^\n]*" "\n" text "${text}")
  string(REGEX REPLACE "\n[ \t]+" "\n" text "${text}")
  string(REGEX REPLACE "\n\n+" "\n" text "${text}")
  string(REGEX REPLACE "^\n" "" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

parl_read_script(script art.js player.js)
# The blanks around operators and after commas go too (each pair is "from@to"). The player's
# strings are written so that none of them holds one of these sequences.
foreach(pair " = @=" " === @===" " !== @!==" " == @==" " != @!=" " + @+" " * @*" " || @||"
        " && @&&" " < @<" " > @>" " <= @<=" " >= @>=" " ? @?" " : @:" ", @," ") {@){"
        "} else@}else" "else {@else{" "function (@function(" " - @-" " / @/" " % @%" "; @;"
        "if (@if(" "for (@for(" "while (@while(" "} catch (e) {@}catch(e){" "try {@try{")
  string(FIND "${pair}" "@" at)
  string(SUBSTRING "${pair}" 0 ${at} from)
  math(EXPR at "${at} + 1")
  string(SUBSTRING "${pair}" ${at} -1 to)
  string(REPLACE "${from}" "${to}" script "${script}")
endforeach()
# A line after one that ends in ";", "{", a comma, an opening parenthesis or an operator joins
# it: no statement depends on that line end.
string(REGEX REPLACE " ?([;{,(+&|?:=])\n" "\\1" script "${script}")
file(READ "${PLAYER_DIR}/player.css" style)
string(REPLACE "\r" "" style "${style}")
string(REGEX REPLACE "/\\*([^*]|\\*+[^*/])*\\*+/" "" style "${style}")
string(REPLACE "\n" "" style "${style}")

foreach(text script style)
  string(FIND "${${text}}" ")PLAYER\"" clash)
  if(NOT clash EQUAL -1)
    message(FATAL_ERROR "the player's ${text} holds the delimiter )PLAYER\"")
  endif()
endforeach()

set(cpp "// Generated from compiler/player by embed.cmake: do not edit.\n")
string(APPEND cpp "#include \"compiler/player_assets.h\"\n\nnamespace player {\n\n")
string(APPEND cpp "const char kScript[] = R\"PLAYER(${script})PLAYER\";\n\n")
string(APPEND cpp "const char kStyle[] = R\"PLAYER(${style})PLAYER\";\n\n} // namespace player\n")
file(WRITE "${OUTPUT}.tmp" "${cpp}")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
