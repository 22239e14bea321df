#include "app/compile_command.h"

#include "app/input_file.h"
#include "app/page_saver.h"
#include "app/page_target.h"
#include "app/progress_line.h"
#include "app/shown_name.h"
#include "document/parl_doc.h"

#include <cerrno>
#include <map>
#include <ostream>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

using namespace cli;

namespace {

bool WriteAllTo(int fd, const char* data, std::size_t size, std::string& error) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            error = Reason(errno);
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

int RunCompileCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                      const ProjectLoader& loadProject) {
    return RunCompileCommand(args, CompileConsole{out, err}, loadProject);
}

int RunCompileCommand(const std::vector<std::string>& args, const CompileConsole& console,
                      const ProjectLoader& loadProject) {
    std::ostream& out = console.out;
    std::ostream& err = console.err;
    CompileOptions options;
    std::string error;
    if (!ParseCompileOptions(args, options, error)) {
        err << "parlino: " << error << "\n" << CompileUsage();
        return 2;
    }
    if (!options.outputFolder.empty()) {
        struct stat st {};
        const int problem = ::stat(options.outputFolder.c_str(), &st) != 0 ? errno
                            : !S_ISDIR(st.st_mode)                         ? ENOTDIR
                                                                           : 0;
        if (problem != 0) {
            err << "parlino: cannot write into " << ShownName(options.outputFolder) << ": "
                << Reason(problem) << "\n";
            return 1;
        }
    }

    const bool toStdout = options.outputPath == "-";
    const std::size_t total = options.inputPaths.size();
    const std::size_t groupSize = total > 1 ? FlushGroupSize() : 1;
    Progress progress(err, console.progress, total);
    PageSaver saver;
    std::set<FileId> inputsSeen;
    std::map<std::string, std::string> outputsTaken; // page's place -> the file it came from
    std::set<FileId> outputIdsTaken;
    std::map<FileId, std::string> outputIdOwner;
    bool failed = false;

    auto fail = [&](const std::string& message) {
        progress.Clear();
        err << "parlino: " << message << "\n";
        failed = true;
    };
    auto commit = [&] {
        for (const PageSaver::Done& d : saver.Commit()) {
            if (d.error.empty()) {
                progress.Clear();
                out << "parlino: wrote " << ShownName(d.path) << "\n";
            } else {
                fail("cannot write " + ShownName(d.path) + ": " + d.error);
            }
        }
    };

    // Every input of the run by its identity, before anything is written, so that no page of
    // this run replaces any of them, whatever link or second name leads there.
    std::map<FileId, std::string> inputIds;
    for (const std::string& input : options.inputPaths) {
        struct stat st {};
        if (::stat(input.c_str(), &st) == 0)
            inputIds.emplace(FileId{st.st_dev, st.st_ino}, input);
    }

    for (std::size_t index = 0; index < total; ++index) {
        progress.Done(index);
        const std::string& input = options.inputPaths[index];

        // The input: read only when it is a regular file, and compiled once however named.
        InputFile file;
        FileId inputId;
        bool known = false;
        if (options.raw || !loadProject) {
            if (!file.Open(input, error)) {
                fail("cannot read " + ShownName(input) + ": " + error);
                continue;
            }
            inputId = file.Id();
            known = true;
        } else {
            struct stat st {};
            if (::stat(input.c_str(), &st) == 0 && S_ISREG(st.st_mode)) {
                inputId = {st.st_dev, st.st_ino};
                known = true;
            }
        }
        if (known && !inputsSeen.insert(inputId).second)
            continue; // named twice: compiled once

        // The output: never the input itself, never anything but a regular file, and never the
        // page of another input of this run.
        std::string output;
        std::string place;
        OutputTarget target;
        if (!toStdout) {
            if (!options.outputPath.empty())
                output = options.outputPath;
            else if (!options.outputFolder.empty())
                output = options.outputFolder + "/" + PageName(input.substr(input.rfind('/') + 1));
            else
                output = PageName(input);
            if (!ResolveOutput(output, target, error)) {
                fail("cannot write " + ShownName(output) + ": " + error);
                continue;
            }
            const FileId targetId{target.st.st_dev, target.st.st_ino};
            if (known && target.exists && targetId == inputId) {
                fail("cannot write " + ShownName(output) + ": it is the message " +
                     ShownName(input) +
                     " itself, which the page would replace; name another file with -o or -d");
                continue;
            }
            auto otherInput = target.exists ? inputIds.find(targetId) : inputIds.end();
            if (otherInput != inputIds.end()) {
                fail("cannot write " + ShownName(output) + " for " + ShownName(input) +
                     ": it is the message " + ShownName(otherInput->second) +
                     ", another file of this run, which the page would replace");
                continue;
            }
            place = PlaceOf(target.path);
            auto taken = outputsTaken.find(place);
            if (taken == outputsTaken.end() && target.exists &&
                outputIdsTaken.count({target.st.st_dev, target.st.st_ino}) != 0)
                taken = outputsTaken.find(outputIdOwner[{target.st.st_dev, target.st.st_ino}]);
            if (taken != outputsTaken.end()) {
                fail("cannot write " + ShownName(output) + " for " + ShownName(input) +
                     ": the page of " + ShownName(taken->second) + " is written there in this run");
                continue;
            }
        }

        CParlDoc doc;
        doc.ResetMessageSettings();
        FileRtfCtrl raw(file.Fd(), file.Size());
        if (options.raw || !loadProject) {
            // The RTF lands in the compile's own buffer, sized once for the whole file (the
            // compile's reserve only ever grows a buffer).
            doc.m_strRtf.reserve(file.Size() + 1);
            doc.SetView(&raw);
        } else if (!loadProject(doc, input, error)) {
            fail("cannot open " + ShownName(input) + ": " + error);
            continue;
        } else if (!doc.m_strRefusedPicture.empty()) {
            progress.Clear();
            const std::string& picture = doc.m_strRefusedPicture;
            const std::string shown = ShownName(picture);
            err << "parlino: warning: " << ShownName(input) << ": "
                << CParlDoc::RefusedPictureText(shown == picture ? "\"" + picture + "\"" : shown)
                << "\n";
        }
        for (const auto& apply : options.settings)
            apply(doc);

        doc.BuildHtml();
        if (!raw.Error().empty()) {
            fail("cannot read " + ShownName(input) + ": " + raw.Error());
            continue;
        }
        // The compile's working copies are not needed to write the page.
        std::string().swap(doc.m_strRtf);
        std::string().swap(doc.m_strScript);

        if (toStdout) {
            out.flush();
            if (console.outFd >= 0) {
                if (!WriteAllTo(console.outFd, doc.m_strHtml.data(), doc.m_strHtml.size(), error))
                    fail("cannot write the page to standard output: " + error);
            } else {
                out.write(doc.m_strHtml.data(), static_cast<std::streamsize>(doc.m_strHtml.size()));
                out.flush();
                if (!out)
                    fail("cannot write the page to standard output");
            }
            continue;
        }
        static const char kZero = '\0';
        if (!saver.Add(output, target, doc.m_strHtml.data(), doc.m_strHtml.size(), &kZero, 1,
                       error)) {
            fail("cannot write " + ShownName(output) + ": " + error);
            continue;
        }
        outputsTaken[place] = input;
        if (target.exists) {
            outputIdsTaken.insert({target.st.st_dev, target.st.st_ino});
            outputIdOwner[{target.st.st_dev, target.st.st_ino}] = place;
        }
        if (saver.PendingCount() >= groupSize)
            commit();
    }
    commit();
    progress.Done(total);
    progress.Clear();
    return failed ? 1 : 0;
}
