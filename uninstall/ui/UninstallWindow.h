#pragma once

#include "platform/instance/ProgramLock.h"
#include "platform/messagebox/MessageBox.h"
#include "setupsupport/ui/DialogUnits.h"

#include <QDialog>

#include <functional>
#include <string>
#include <vector>

class QLabel;
class QPushButton;
class QTreeWidget;

namespace kaldo {

class SetupSupport;
class Uninstaller;

// The uninstaller's window: the installed content folders to choose from, and Remove.
class UninstallWindow final : public QDialog {
public:
    UninstallWindow(SetupSupport& setup, Uninstaller& uninstaller, MessageBoxFunction ask,
                    QWidget* parent = nullptr);

    // The list, filled from the uninstaller's content folders.
    void FillList();
    // The names of the selected content folders, in list order.
    std::vector<std::string> Selected() const;
    void SelectAll();
    void DeselectAll();
    // Removes the selected content folders; with the last one the installation, then tells so
    // and closes.
    void RemoveSelected();

    QTreeWidget* List() const { return m_list; }
    QLabel* Prompt() const { return m_prompt; }
    QLabel* Picture() const { return m_picture; }
    QPushButton* SelectAllButton() const { return m_selectAll; }
    QPushButton* DeselectAllButton() const { return m_deselectAll; }
    QPushButton* RemoveButton() const { return m_remove; }
    QPushButton* DoneButton() const { return m_done; }

    // Called each time the window has opened; tests use it to act on it while it is modal.
    void SetShownObserver(std::function<void(QDialog&)> observer) { m_shown = std::move(observer); }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void UpdateRemove();

    SetupSupport& m_setup;
    Uninstaller& m_uninstaller;
    MessageBoxFunction m_ask;
    DialogUnits m_units;
    QLabel* m_picture;
    QLabel* m_prompt;
    QTreeWidget* m_list;
    QPushButton* m_selectAll;
    QPushButton* m_deselectAll;
    QPushButton* m_remove;
    QPushButton* m_done;
    std::function<void(QDialog&)> m_shown;
    bool m_opened = false;
};

// The warning that names what a removal left behind (at most a dozen paths).
MessageRequest NotRemovedMessage(const SetupSupport& setup, const std::vector<std::string>& paths);

// The uninstaller with its window: nothing while the main program runs or when that cannot be
// told, a message when nothing is installed, else the window.
int RunUninstallWindow(SetupSupport& setup, Uninstaller& uninstaller, RunState mainProgram,
                       MessageBoxFunction ask,
                       const std::function<void(QDialog&)>& shownObserver = {});

} // namespace kaldo
