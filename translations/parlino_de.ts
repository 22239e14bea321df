<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="en_US">
<context>
    <name>Parlino</name>
    <message>
        <source>&amp;New	Ctrl+N</source>
        <translation>&amp;Neu	Ctrl+N</translation>
    </message>
    <message>
        <source>&amp;Open...	Ctrl+O</source>
        <translation>Ö&amp;ffnen...	Ctrl+O</translation>
    </message>
    <message>
        <source>&amp;Save	Ctrl+S</source>
        <translation>&amp;Speichern	Ctrl+S</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>Speichern &amp;unter...</translation>
    </message>
    <message>
        <source>Sen&amp;d...</source>
        <translation>Sen&amp;den...</translation>
    </message>
    <message>
        <source>Recent File</source>
        <translation>Zuletzt geöffnete Datei</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>Check Spelling As You &amp;Type</source>
        <translation>Rechtschreibung bei der &amp;Eingabe prüfen</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Sprache</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Undo	Ctrl+Z</source>
        <translation>&amp;Rückgängig	Ctrl+Z</translation>
    </message>
    <message>
        <source>&amp;Redo	Ctrl+Y</source>
        <translation>&amp;Wiederholen	Ctrl+Y</translation>
    </message>
    <message>
        <source>Cu&amp;t	Ctrl+X</source>
        <translation>&amp;Ausschneiden	Ctrl+X</translation>
    </message>
    <message>
        <source>&amp;Copy	Ctrl+C</source>
        <translation>&amp;Kopieren	Ctrl+C</translation>
    </message>
    <message>
        <source>&amp;Paste	Ctrl+V</source>
        <translation>E&amp;infügen	Ctrl+V</translation>
    </message>
    <message>
        <source>Select A&amp;ll	Ctrl+A</source>
        <translation>A&amp;lles markieren	Ctrl+A</translation>
    </message>
    <message>
        <source>&amp;Find...	Ctrl+F</source>
        <translation>&amp;Suchen...	Ctrl+F</translation>
    </message>
    <message>
        <source>F&amp;ind Next	F3</source>
        <translation>Weiters&amp;uchen	F3</translation>
    </message>
    <message>
        <source>R&amp;eplace	Ctrl+H</source>
        <translation>&amp;Ersetzen	Ctrl+H</translation>
    </message>
    <message>
        <source>&amp;Spelling</source>
        <translation>Rech&amp;tschreibung</translation>
    </message>
    <message>
        <source>F&amp;ont</source>
        <translation>Schri&amp;ft</translation>
    </message>
    <message>
        <source>&amp;Properties...</source>
        <translation>&amp;Eigenschaften...</translation>
    </message>
    <message>
        <source>&amp;Bold	Ctrl+B</source>
        <translation>&amp;Fett	Ctrl+B</translation>
    </message>
    <message>
        <source>&amp;Italic	Ctrl+I</source>
        <translation>&amp;Kursiv	Ctrl+I</translation>
    </message>
    <message>
        <source>&amp;Underline	Ctrl+U</source>
        <translation>&amp;Unterstrichen	Ctrl+U</translation>
    </message>
    <message>
        <source>Para&amp;graph</source>
        <translation>Absat&amp;z</translation>
    </message>
    <message>
        <source>&amp;Left Align</source>
        <translation>&amp;Linksbündig</translation>
    </message>
    <message>
        <source>&amp;Center Align</source>
        <translation>&amp;Zentriert</translation>
    </message>
    <message>
        <source>&amp;Decrease Indent</source>
        <translation>Einzug &amp;verkleinern</translation>
    </message>
    <message>
        <source>&amp;Increase Indent</source>
        <translation>Einzug ver&amp;größern</translation>
    </message>
    <message>
        <source>Back Color...</source>
        <translation>Hintergrundfarbe...</translation>
    </message>
    <message>
        <source>&amp;Advanced Options</source>
        <translation>Erweiterte &amp;Optionen</translation>
    </message>
    <message>
        <source>&amp;HTML Document...</source>
        <translation>&amp;HTML-Dokument...</translation>
    </message>
    <message>
        <source>&amp;Script</source>
        <translation>&amp;Skript</translation>
    </message>
    <message>
        <source>&amp;Speak</source>
        <translation>&amp;Sprechen</translation>
    </message>
    <message>
        <source>&amp;Read</source>
        <translation>&amp;Vorlesen</translation>
    </message>
    <message>
        <source>&amp;Play</source>
        <translation>&amp;Abspielen</translation>
    </message>
    <message>
        <source>&amp;Move</source>
        <translation>&amp;Bewegen</translation>
    </message>
    <message>
        <source>Pre&amp;view</source>
        <translation>Vor&amp;schau</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>&amp;Toolbar</source>
        <translation>&amp;Symbolleiste</translation>
    </message>
    <message>
        <source>&amp;Status Bar</source>
        <translation>Status&amp;leiste</translation>
    </message>
    <message>
        <source>Script&amp;Bar</source>
        <translation>Skript&amp;leiste</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;Html Help</source>
        <translation>&amp;HTML-Hilfe</translation>
    </message>
    <message>
        <source>&amp;About Parlo...</source>
        <translation>Ü&amp;ber Parlo...</translation>
    </message>
    <message>
        <source>&amp;Font...</source>
        <translation>&amp;Schrift...</translation>
    </message>
    <message>
        <source>Pla&amp;y</source>
        <translation>&amp;Abspielen</translation>
    </message>
    <message>
        <source>Select A&amp;ll</source>
        <translation>A&amp;lles markieren</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>E&amp;infügen</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Kopieren</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>&amp;Ausschneiden</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>Bereit</translation>
    </message>
    <message>
        <source>OLE initialization failed.  Make sure that the OLE libraries are the correct version.</source>
        <translation>OLE konnte nicht gestartet werden. Prüfen Sie, ob die OLE-Bibliotheken die richtige Version haben.</translation>
    </message>
    <message>
        <source>Windows sockets initialization failed.</source>
        <translation>Die Windows-Sockets konnten nicht gestartet werden.</translation>
    </message>
    <message>
        <source>CAP</source>
        <translation>GROSS</translation>
    </message>
    <message>
        <source>NUM</source>
        <translation>NUM</translation>
    </message>
    <message>
        <source>SCRL</source>
        <translation>ROLLEN</translation>
    </message>
    <message>
        <source>Create a new document</source>
        <translation>Ein neues Dokument anlegen</translation>
    </message>
    <message>
        <source>New</source>
        <translation>Neu</translation>
    </message>
    <message>
        <source>Open an existing document</source>
        <translation>Ein vorhandenes Dokument öffnen</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Save the active document</source>
        <translation>Das aktive Dokument speichern</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Save the active document with a new name</source>
        <translation>Das aktive Dokument unter einem neuen Namen speichern</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>Speichern unter</translation>
    </message>
    <message>
        <source>Send the active document through electronic mail</source>
        <translation>Das aktive Dokument als E-Mail senden</translation>
    </message>
    <message>
        <source>Send Mail</source>
        <translation>E-Mail senden</translation>
    </message>
    <message>
        <source>Open this document</source>
        <translation>Dieses Dokument öffnen</translation>
    </message>
    <message>
        <source>Quit the application; prompts to save documents</source>
        <translation>Das Programm beenden; fragt, ob Dokumente gespeichert werden sollen</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Display program information, version number and copyright</source>
        <translation>Programminformationen, Versionsnummer und Copyright anzeigen</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>Undo the last action</source>
        <translation>Die letzte Aktion rückgängig machen</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Rückgängig</translation>
    </message>
    <message>
        <source>Redo the previously undone action</source>
        <translation>Die zuletzt rückgängig gemachte Aktion wiederholen</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Wiederholen</translation>
    </message>
    <message>
        <source>Cut the selection and put it on the Clipboard</source>
        <translation>Die Markierung ausschneiden und in die Zwischenablage legen</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>Ausschneiden</translation>
    </message>
    <message>
        <source>Copy the selection and put it on the Clipboard</source>
        <translation>Die Markierung kopieren und in die Zwischenablage legen</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>Insert Clipboard contents</source>
        <translation>Den Inhalt der Zwischenablage einfügen</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Einfügen</translation>
    </message>
    <message>
        <source>Select the entire document</source>
        <translation>Das ganze Dokument markieren</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Alles markieren</translation>
    </message>
    <message>
        <source>Find the text you name</source>
        <translation>Den angegebenen Text suchen</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>Repeat the last action</source>
        <translation>Die letzte Aktion wiederholen</translation>
    </message>
    <message>
        <source>Repeat</source>
        <translation>Wiederholen</translation>
    </message>
    <message>
        <source>Replace text with different text</source>
        <translation>Text durch anderen Text ersetzen</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Ersetzen</translation>
    </message>
    <message>
        <source>Edit properties of the selected object</source>
        <translation>Die Eigenschaften des markierten Objekts bearbeiten</translation>
    </message>
    <message>
        <source>Properties</source>
        <translation>Eigenschaften</translation>
    </message>
    <message>
        <source>Switch to the next window pane</source>
        <translation>Zum nächsten Fensterbereich wechseln</translation>
    </message>
    <message>
        <source>Next Pane</source>
        <translation>Nächster Bereich</translation>
    </message>
    <message>
        <source>Switch back to the previous window pane</source>
        <translation>Zum vorigen Fensterbereich zurückwechseln</translation>
    </message>
    <message>
        <source>Previous Pane</source>
        <translation>Voriger Bereich</translation>
    </message>
    <message>
        <source>Show or hide the toolbar</source>
        <translation>Die Symbolleiste ein- oder ausblenden</translation>
    </message>
    <message>
        <source>Toggle ToolBar</source>
        <translation>Symbolleiste ein/aus</translation>
    </message>
    <message>
        <source>Show or hide the status bar</source>
        <translation>Die Statusleiste ein- oder ausblenden</translation>
    </message>
    <message>
        <source>Toggle StatusBar</source>
        <translation>Statusleiste ein/aus</translation>
    </message>
    <message>
        <source>Close in-place editing</source>
        <translation>Die direkte Bearbeitung schließen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Make character say something not written in the message</source>
        <translation>Die Figur etwas sagen lassen, das nicht in der Nachricht steht</translation>
    </message>
    <message>
        <source>Speak UnWritten</source>
        <translation>Ungeschriebenes sprechen</translation>
    </message>
    <message>
        <source>Direct character to read the message</source>
        <translation>Die Figur die Nachricht vorlesen lassen</translation>
    </message>
    <message>
        <source>Read Message</source>
        <translation>Nachricht vorlesen</translation>
    </message>
    <message>
        <source>Direct character to perform an animation</source>
        <translation>Die Figur eine Animation vorführen lassen</translation>
    </message>
    <message>
        <source>Do Animation</source>
        <translation>Animation vorführen</translation>
    </message>
    <message>
        <source>Move character around the screen</source>
        <translation>Die Figur über den Bildschirm bewegen</translation>
    </message>
    <message>
        <source>Move Character</source>
        <translation>Figur bewegen</translation>
    </message>
    <message>
        <source>Preview Parlino before sending</source>
        <translation>Parlino vor dem Senden in der Vorschau ansehen</translation>
    </message>
    <message>
        <source>Preview Parlino</source>
        <translation>Parlino-Vorschau</translation>
    </message>
    <message>
        <source>Select infrequently changed options</source>
        <translation>Selten geänderte Optionen wählen</translation>
    </message>
    <message>
        <source>Change Advanced Options</source>
        <translation>Erweiterte Optionen ändern</translation>
    </message>
    <message>
        <source>Change font style, size, and color</source>
        <translation>Schriftstil, -größe und -farbe ändern</translation>
    </message>
    <message>
        <source>Change Font</source>
        <translation>Schrift ändern</translation>
    </message>
    <message>
        <source>Makes the text bold (Toggle)</source>
        <translation>Setzt den Text fett (ein/aus)</translation>
    </message>
    <message>
        <source>Bold</source>
        <translation>Fett</translation>
    </message>
    <message>
        <source>Makes the text italic (Toggle)</source>
        <translation>Setzt den Text kursiv (ein/aus)</translation>
    </message>
    <message>
        <source>Italic</source>
        <translation>Kursiv</translation>
    </message>
    <message>
        <source>Formats the text with a continuous underline (Toggle)</source>
        <translation>Unterstreicht den Text durchgehend (ein/aus)</translation>
    </message>
    <message>
        <source>Underline</source>
        <translation>Unterstrichen</translation>
    </message>
    <message>
        <source>Set paragraph to left justify</source>
        <translation>Den Absatz linksbündig ausrichten</translation>
    </message>
    <message>
        <source>Left Align</source>
        <translation>Linksbündig</translation>
    </message>
    <message>
        <source>Set paragraph to center justify</source>
        <translation>Den Absatz zentrieren</translation>
    </message>
    <message>
        <source>Center Align</source>
        <translation>Zentriert</translation>
    </message>
    <message>
        <source>Set paragraph to right justify</source>
        <translation>Den Absatz rechtsbündig ausrichten</translation>
    </message>
    <message>
        <source>Right Align</source>
        <translation>Rechtsbündig</translation>
    </message>
    <message>
        <source>Decrease amount of paragraph indentation</source>
        <translation>Den Einzug des Absatzes verkleinern</translation>
    </message>
    <message>
        <source>Decrease Indent</source>
        <translation>Einzug verkleinern</translation>
    </message>
    <message>
        <source>Increase amount of paragraph indentation</source>
        <translation>Den Einzug des Absatzes vergrößern</translation>
    </message>
    <message>
        <source>Increase Indent</source>
        <translation>Einzug vergrößern</translation>
    </message>
    <message>
        <source>Change the background color of the Parlino</source>
        <translation>Die Hintergrundfarbe des Parlino ändern</translation>
    </message>
    <message>
        <source>Change Back Color</source>
        <translation>Hintergrundfarbe ändern</translation>
    </message>
    <message>
        <source>Show or hide the script bar</source>
        <translation>Die Skriptleiste ein- oder ausblenden</translation>
    </message>
    <message>
        <source>Toggle ScriptBar</source>
        <translation>Skriptleiste ein/aus</translation>
    </message>
    <message>
        <source>Edit the HTML source code</source>
        <translation>Den HTML-Quelltext bearbeiten</translation>
    </message>
    <message>
        <source>Display help in a browser</source>
        <translation>Die Hilfe im Browser anzeigen</translation>
    </message>
    <message>
        <source>Start Help</source>
        <translation>Hilfe starten</translation>
    </message>
    <message>
        <source>Underline misspelled words as you type</source>
        <translation>Falsch geschriebene Wörter bei der Eingabe unterstreichen</translation>
    </message>
    <message>
        <source>Check Spelling</source>
        <translation>Rechtschreibung prüfen</translation>
    </message>
    <message>
        <source>Check spelling in this language</source>
        <translation>Die Rechtschreibung in dieser Sprache prüfen</translation>
    </message>
    <message>
        <source>Spelling Language</source>
        <translation>Sprache der Rechtschreibung</translation>
    </message>
    <message>
        <source>Replace the misspelled word with this spelling</source>
        <translation>Das falsch geschriebene Wort durch diese Schreibung ersetzen</translation>
    </message>
    <message>
        <source>Add the word to your own dictionary</source>
        <translation>Das Wort in Ihr eigenes Wörterbuch aufnehmen</translation>
    </message>
    <message>
        <source>Add to Dictionary</source>
        <translation>Ins Wörterbuch aufnehmen</translation>
    </message>
    <message>
        <source>Accept the word everywhere in this message</source>
        <translation>Das Wort überall in dieser Nachricht gelten lassen</translation>
    </message>
    <message>
        <source>Ignore All</source>
        <translation>Alle ignorieren</translation>
    </message>
    <message>
        <source>Choose Character</source>
        <translation>Figur wählen</translation>
    </message>
    <message>
        <source>Select Character</source>
        <translation>Figur auswählen</translation>
    </message>
    <message>
        <source>Choose Animation</source>
        <translation>Animation wählen</translation>
    </message>
    <message>
        <source>Select Animation</source>
        <translation>Animation auswählen</translation>
    </message>
    <message>
        <source>Choose Destination</source>
        <translation>Ziel wählen</translation>
    </message>
    <message>
        <source>Select Destination</source>
        <translation>Ziel auswählen</translation>
    </message>
    <message>
        <source>Defaults</source>
        <translation>Vorgaben</translation>
    </message>
    <message>
        <source>Default Character</source>
        <translation>Standardfigur</translation>
    </message>
    <message>
        <source>Screen resolution of recipient's monitor</source>
        <translation>Bildschirmauflösung beim Empfänger</translation>
    </message>
    <message>
        <source>Advanced Options</source>
        <translation>Erweiterte Optionen</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>Farbe</translation>
    </message>
    <message>
        <source>Current Command Color</source>
        <translation>Aktuelle Farbe der Befehle</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>Ändern</translation>
    </message>
    <message>
        <source>Locations</source>
        <translation>Speicherorte</translation>
    </message>
    <message>
        <source>Location of Optional Character *.acf Files</source>
        <translation>Ort der optionalen Figurendateien (*.acf)</translation>
    </message>
    <message>
        <source>Location of Optional Background Picture</source>
        <translation>Ort des optionalen Hintergrundbilds</translation>
    </message>
    <message>
        <source>Script</source>
        <translation>Skript</translation>
    </message>
    <message>
        <source>About Parl</source>
        <translation>Über Parl</translation>
    </message>
    <message>
        <source>Parlino Version 2 beta</source>
        <translation>Parlino Version 2 Beta</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Enter text to speak</source>
        <translation>Zu sprechenden Text eingeben</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Fi&amp;nd what:</source>
        <translation>&amp;Suchen nach:</translation>
    </message>
    <message>
        <source>Re&amp;place with:</source>
        <translation>E&amp;rsetzen durch:</translation>
    </message>
    <message>
        <source>Match &amp;whole word only</source>
        <translation>Nur &amp;ganzes Wort</translation>
    </message>
    <message>
        <source>Match &amp;case</source>
        <translation>&amp;Groß-/Kleinschreibung beachten</translation>
    </message>
    <message>
        <source>&amp;Find Next</source>
        <translation>&amp;Weitersuchen</translation>
    </message>
    <message>
        <source>&amp;Replace</source>
        <translation>&amp;Ersetzen</translation>
    </message>
    <message>
        <source>Replace &amp;All</source>
        <translation>&amp;Alle ersetzen</translation>
    </message>
    <message>
        <source>Custom</source>
        <translation>Benutzerdefiniert</translation>
    </message>
    <message>
        <source>&amp;Color:</source>
        <translation>&amp;Farbe:</translation>
    </message>
    <message>
        <source>Font</source>
        <translation>Schrift</translation>
    </message>
    <message>
        <source>Recover Messages</source>
        <translation>Nachrichten wiederherstellen</translation>
    </message>
    <message>
        <source>Parlino stopped before these messages were saved. Restore one to go on with it, discard those you do not need, or keep them for later.</source>
        <translation>Parlino wurde beendet, bevor diese Nachrichten gespeichert waren. Stellen Sie eine wieder her, um daran weiterzuarbeiten, verwerfen Sie die, die Sie nicht brauchen, oder heben Sie sie für später auf.</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Zeit</translation>
    </message>
    <message>
        <source>First words</source>
        <translation>Erste Wörter</translation>
    </message>
    <message>
        <source>&amp;Restore</source>
        <translation>&amp;Wiederherstellen</translation>
    </message>
    <message>
        <source>&amp;Discard</source>
        <translation>&amp;Verwerfen</translation>
    </message>
    <message>
        <source>&amp;Later</source>
        <translation>&amp;Später</translation>
    </message>
    <message>
        <source>Edit HTML</source>
        <translation>HTML bearbeiten</translation>
    </message>
    <message>
        <source>Could not find any characters on
your hard drive. Characters available from the web
have been loaded. See character location in help!</source>
        <translation>Auf Ihrer Festplatte wurden keine Figuren
gefunden. Die im Web verfügbaren Figuren
wurden geladen. Siehe „Ort der Figuren“ in der Hilfe!</translation>
    </message>
    <message>
        <source>Printing is not available in this version.</source>
        <translation>Drucken ist in dieser Version nicht möglich.</translation>
    </message>
    <message>
        <source>Black</source>
        <translation>Schwarz</translation>
    </message>
    <message>
        <source>Maroon</source>
        <translation>Kastanienbraun</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>Grün</translation>
    </message>
    <message>
        <source>Olive</source>
        <translation>Olivgrün</translation>
    </message>
    <message>
        <source>Navy</source>
        <translation>Marineblau</translation>
    </message>
    <message>
        <source>Purple</source>
        <translation>Violett</translation>
    </message>
    <message>
        <source>Teal</source>
        <translation>Blaugrün</translation>
    </message>
    <message>
        <source>Gray</source>
        <translation>Grau</translation>
    </message>
    <message>
        <source>Silver</source>
        <translation>Silber</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>Rot</translation>
    </message>
    <message>
        <source>Lime</source>
        <translation>Hellgrün</translation>
    </message>
    <message>
        <source>Yellow</source>
        <translation>Gelb</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>Blau</translation>
    </message>
    <message>
        <source>Fuchsia</source>
        <translation>Fuchsie</translation>
    </message>
    <message>
        <source>Aqua</source>
        <translation>Türkis</translation>
    </message>
    <message>
        <source>White</source>
        <translation>Weiß</translation>
    </message>
    <message>
        <source>Save as an email or a project?</source>
        <translation>Als E-Mail oder als Projekt speichern?</translation>
    </message>
    <message>
        <source>Parlino Project files</source>
        <translation>Parlino-Projektdateien</translation>
    </message>
    <message>
        <source>Html Email files</source>
        <translation>HTML-E-Mail-Dateien</translation>
    </message>
    <message>
        <source>Parlo Projects</source>
        <translation>Parlo-Projekte</translation>
    </message>
    <message>
        <source>Recipient has MS Agent</source>
        <translation>Empfänger hat MS Agent</translation>
    </message>
    <message>
        <source>Play in browsers without the character control</source>
        <translation>In Browsern ohne Figurensteuerung abspielen</translation>
    </message>
    <message>
        <source>(No Suggestions)</source>
        <translation>(Keine Vorschläge)</translation>
    </message>
    <message>
        <source>&amp;Add to Dictionary</source>
        <translation>Ins Wörterbuch &amp;aufnehmen</translation>
    </message>
    <message>
        <source>&amp;Ignore All</source>
        <translation>Alle &amp;ignorieren</translation>
    </message>
    <message>
        <source>No dictionary installed</source>
        <translation>Kein Wörterbuch installiert</translation>
    </message>
    <message>
        <source>"%1" cannot be the default character. A character name begins with a letter and holds only letters, digits and underscores; it may not be a word that the page's script reserves (such as Dim or window) nor end in "Request".</source>
        <translation>„%1“ kann nicht die Standardfigur sein. Ein Figurenname beginnt mit einem Buchstaben und enthält nur Buchstaben, Ziffern und Unterstriche; er darf kein Wort sein, das das Skript der Seite reserviert (wie Dim oder window), und nicht auf „Request“ enden.</translation>
    </message>
    <message>
        <source>Could not start the mail program %1 to send "%2".
%3</source>
        <translation>Das E-Mail-Programm %1 konnte nicht gestartet werden, um „%2“ zu senden.
%3</translation>
    </message>
    <message>
        <source>A recovery copy cannot be read. It was put aside as:
%1</source>
        <translation>Eine Wiederherstellungskopie kann nicht gelesen werden. Sie wurde beiseitegelegt als:
%1</translation>
    </message>
    <message>
        <source>Recovery copies cannot be read. They were put aside as:
%1</source>
        <translation>Wiederherstellungskopien können nicht gelesen werden. Sie wurden beiseitegelegt als:
%1</translation>
    </message>
    <message>
        <source>The recovery copy "%1" cannot be read.
%2</source>
        <translation>Die Wiederherstellungskopie „%1“ kann nicht gelesen werden.
%2</translation>
    </message>
    <message>
        <source>Recovery copies of the message cannot be written to "%1".
%2
You can go on editing, but until you save the message, a crash loses what you have typed.</source>
        <translation>Wiederherstellungskopien der Nachricht können nicht nach „%1“ geschrieben werden.
%2
Sie können weiterarbeiten, aber bis Sie die Nachricht speichern, geht bei einem Absturz verloren, was Sie getippt haben.</translation>
    </message>
    <message>
        <source>Could not find the help page "%1".</source>
        <translation>Die Hilfeseite „%1“ wurde nicht gefunden.</translation>
    </message>
    <message>
        <source>The word "%1" could not be added to your dictionary: %2 cannot be written.</source>
        <translation>Das Wort „%1“ konnte nicht in Ihr Wörterbuch aufgenommen werden: %2 kann nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>Cannot find "%1".</source>
        <translation>„%1“ wurde nicht gefunden.</translation>
    </message>
    <message>
        <source>%1
File not found.
Check the file name and try again.</source>
        <translation>%1
Datei nicht gefunden.
Prüfen Sie den Dateinamen, und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>%1 already exists.
Do you want to replace it?</source>
        <translation>%1 ist bereits vorhanden.
Möchten Sie die Datei ersetzen?</translation>
    </message>
    <message>
        <source>The folder cannot be made.</source>
        <translation>Der Ordner kann nicht angelegt werden.</translation>
    </message>
    <message>
        <source>It holds no rich text.</source>
        <translation>Sie enthält keinen formatierten Text.</translation>
    </message>
    <message>
        <source>Parlo Projects (*.plp)</source>
        <translation>Parlo-Projekte (*.plp)</translation>
    </message>
    <message>
        <source>Save changes to %1?</source>
        <translation>Änderungen an %1 speichern?</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>Unbenannt</translation>
    </message>
    <message>
        <source>Could not open "%1".</source>
        <translation>„%1“ konnte nicht geöffnet werden.</translation>
    </message>
    <message>
        <source>Could not read "%1".</source>
        <translation>„%1“ konnte nicht gelesen werden.</translation>
    </message>
    <message>
        <source>Could not save "%1".</source>
        <translation>„%1“ konnte nicht gespeichert werden.</translation>
    </message>
    <message>
        <source>No application is running.</source>
        <translation>Es läuft keine Anwendung.</translation>
    </message>
    <message>
        <source>There is no saved file to attach to a message.</source>
        <translation>Es gibt keine gespeicherte Datei, die an eine Nachricht angehängt werden kann.</translation>
    </message>
    <message>
        <source>The file does not exist.</source>
        <translation>Die Datei ist nicht vorhanden.</translation>
    </message>
    <message>
        <source>It is a folder, not a file.</source>
        <translation>Es ist ein Ordner, keine Datei.</translation>
    </message>
    <message>
        <source>It is not a regular file.</source>
        <translation>Es ist keine normale Datei.</translation>
    </message>
    <message>
        <source>It is a link, not a file.</source>
        <translation>Es ist eine Verknüpfung, keine Datei.</translation>
    </message>
    <message>
        <source>It is larger than such a file can be (%1 bytes).</source>
        <translation>Sie ist größer, als eine solche Datei sein kann (%1 Bytes).</translation>
    </message>
    <message>
        <source>It is larger than such a file can be.</source>
        <translation>Sie ist größer, als eine solche Datei sein kann.</translation>
    </message>
    <message>
        <source>A folder of that name exists.</source>
        <translation>Es gibt bereits einen Ordner dieses Namens.</translation>
    </message>
    <message>
        <source>%1 was not found on the PATH.</source>
        <translation>%1 wurde im Suchpfad (PATH) nicht gefunden.</translation>
    </message>
    <message>
        <source>It is no journal of edits.</source>
        <translation>Sie ist kein Protokoll von Änderungen.</translation>
    </message>
    <message>
        <source>It follows another copy.</source>
        <translation>Sie gehört zu einer anderen Kopie.</translation>
    </message>
    <message>
        <source>The journal is not a regular file.</source>
        <translation>Das Protokoll ist keine normale Datei.</translation>
    </message>
    <message>
        <source>Your list of added words is not a plain file of words. It was put aside as:
%1</source>
        <translation>Ihre Liste hinzugefügter Wörter ist keine einfache Wortliste. Sie wurde beiseitegelegt als:
%1</translation>
    </message>
    <message>
        <source>Message language (empty: the spelling language)</source>
        <translation>Nachrichtensprache (leer: Rechtschreibsprache)</translation>
    </message>
    <message>
        <source>"%1" is not a language. Write a language code such as en, en-US or pt-BR, or leave the box empty to use the spelling language.</source>
        <translation>„%1“ ist keine Sprache. Geben Sie einen Sprachcode wie en, en-US oder pt-BR ein, oder lassen Sie das Feld leer, um die Rechtschreibsprache zu verwenden.</translation>
    </message>
    <message>
        <source>"%1" cannot be the background picture. Name the picture by a path relative to the page, or by an address that begins with http:, https:, file: or data:image/; a script address or another kind of address could run or fetch something else when the page is opened.</source>
        <translation>„%1“ kann nicht das Hintergrundbild sein. Geben Sie das Bild mit einem Pfad relativ zur Seite an oder mit einer Adresse, die mit http:, https:, file: oder data:image/ beginnt; eine Skriptadresse oder eine andere Art von Adresse könnte beim Öffnen der Seite etwas anderes ausführen oder laden.</translation>
    </message>
    <message>
        <source>The background picture %1 of this project was left out: a page takes its background picture only from a path relative to it or from an address that begins with http:, https:, file: or data:image/.</source>
        <translation>Das Hintergrundbild %1 dieses Projekts wurde weggelassen: Eine Seite übernimmt ihr Hintergrundbild nur aus einem Pfad relativ zu ihr oder aus einer Adresse, die mit http:, https:, file: oder data:image/ beginnt.</translation>
    </message>
    <message>
        <source>Character files left out, as their names cannot name a character in a tag (a name starts with a letter and holds letters, digits and _ only, and is no word of the page's script):</source>
        <translation>Weggelassene Figurendateien, da ihre Namen keine Figur in einem Tag benennen können (ein Name beginnt mit einem Buchstaben, enthält nur Buchstaben, Ziffern und _ und ist kein Wort des Skripts der Seite):</translation>
    </message>
</context>
</TS>
