// A scripted user for the modal seam. Install one on the stack, queue the answers in the order
// the dialogs will appear, run the code, then look at what was shown:
//
//     CModalScript script;
//     script.Push(CModalScript::ChooseFile("/tmp/t/hello", 2));       // the save dialog
//     script.Push(CModalScript::Button(QMessageBox::Yes));           // "... already exists"
//     doc.OnCmdMsg(ID_FILE_SAVE_AS, nullptr);
//     EXPECT_EQ(script.Shown().size(), 2u);
//
// A dialog that finds no answer left is refused (rejected, or Cancel), recorded as unanswered,
// and never blocks. Scripts nest: the innermost one answers.
#pragma once

#include "platform/qt/modal_seam.h"

#include <QColor>
#include <QFont>
#include <deque>
#include <vector>

class CModalScript {
public:
    // Gets the dialog or menu; returns the dialog's result code or, for a menu, the command
    // identifier chosen (0 for none).
    using Answer = std::function<int(QWidget& modal)>;

    CModalScript();
    ~CModalScript();
    CModalScript(const CModalScript&) = delete;
    CModalScript& operator=(const CModalScript&) = delete;

    void Push(Answer answer) { m_answers.push_back(std::move(answer)); }

    const std::vector<CShownModal>& Shown() const { return m_shown; }
    const CShownModal& Last() const { return m_shown.back(); }
    std::size_t Pending() const { return m_answers.size(); }
    // Runs that found no answer.
    int Unanswered() const;

    // Answers.
    static Answer Button(QMessageBox::StandardButton button);
    static Answer Accept(std::function<void(QDialog&)> fill = {});
    static Answer Reject(std::function<void(QDialog&)> fill = {});
    // A file dialog: `filterIndex` counts from 1 as the dialog's filter list does, 0 keeps the
    // selected filter; `path` is what the user typed or picked, relative to the shown folder
    // or absolute.
    static Answer ChooseFile(const QString& path, int filterIndex = 0);
    // A font dialog; a valid `color` is also picked in the dialog's colour list.
    static Answer ChooseFont(const QFont& font, const QColor& color = QColor());
    static Answer ChooseColor(const QColor& color);
    static Answer ChooseCommand(UINT nID);

private:
    friend class CModalSeam;
    // Takes the next answer and records the run; false when none is left.
    bool Next(QWidget& modal, Answer& answer);

    std::deque<Answer> m_answers;
    std::vector<CShownModal> m_shown;
    CModalScript* m_pOuter = nullptr;
};
