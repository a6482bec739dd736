#pragma once

#include <QString>
#include <optional>

namespace tv {

// Lets end-to-end tests answer modal dialogs without a screen.
//
// When TONVELA_DIALOG_ANSWERS names a file, no message box or file dialog is
// shown (but for the answer Show). Each call appends one line describing it to the file named by
// TONVELA_DIALOG_LOG (when set), UTF-8, LF-ended:
//   MsgBox|<style number>|<title>|<prompt, line breaks written as \n>
//   FileDialog|open|<lettered folder>|<proposed name>   (or "save")
// and takes its answer from the next line of the answers file: for a message
// box a number (1 OK, 2 Cancel, 6 Yes, 7 No) or one of the words OK, Cancel,
// Yes, No, or Show, which shows the real box to be answered on the screen (a
// test that acts while a box is open); for a file dialog a native path, or
// an empty line for Cancel. When the lines run out, a message box gets its
// first button and a file dialog is cancelled. The answers file is read again
// at every call, so a test may append answers while the program runs.
class AnswerScript {
public:
    // Not active when the variable is unset or empty.
    static bool active();
    // Logs the call; returns the next answer line, or nothing when none is left.
    std::optional<QString> next(const QString &logLine);

private:
    int m_used = 0;
};

} // namespace tv
