// A scripted user for tests of the whole program. When the environment variable
// PARL_TEST_FEED names a file, its lines answer the program's modal runs and then act on the
// window once it is shown; nothing of it is part of the program's documented use.
//
//   answer recovery restore|discard|later [ROW]   the offer of recovery copies
//   answer button yes|no|ok|cancel               a message box
//   text WORDS...                                 typed into the editor, key by key
//   key return|backspace|end                      one key (end: Ctrl+End)
//   command ID                                    a menu command, by its number
//   words COUNT MS                                COUNT words "w0001 " ..., one every MS
//                                                 milliseconds, each reported on standard
//                                                 output as "typed N MS-SINCE-EPOCH"
//   wait-copy                                     until the recovery copy holds every change
//   page PATH                                     the page compiled from the message, to PATH
//   plain PATH                                    the editor's text, to PATH (UTF-8)
//   shown                                         each modal run so far on standard output,
//                                                 as "shown KIND "TITLE" answered|refused"
//   say TEXT                                      TEXT on standard output
//   quit                                          closes the window as File Exit does
//
// Answers are queued before the start-up; the other lines run one after the other once the
// window is up.
#pragma once

class CWinApp;

class CTestFeed {
public:
    // Reads the file and queues the answers; does nothing without PARL_TEST_FEED.
    static void Install();
    // Runs the action lines on the event loop.
    static void Start(CWinApp& app);
};
