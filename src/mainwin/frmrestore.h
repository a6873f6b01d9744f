#pragma once

// frmRestore, the "Restore..." dialog of the main window's File menu: the backups of the
// game's file (and of no other), newest first, with date, time and size. Restoring asks first,
// keeps the file as it is now as a backup, then replaces it; a failure shows the failed-write
// message.

#include <functional>
#include <string>
#include <vector>

#include <QDialog>

class QPushButton;
class QTreeWidget;

namespace velmora::backup {
class BackupSession;
struct BackupEntry;
} // namespace velmora::backup

namespace velmora::toolkit {
class DialogService;
}

namespace velmora::mainwin {

class frmRestore final : public QDialog {
    Q_OBJECT
public:
    // `restored` runs after a restore, so that the caller shows the file's values again.
    frmRestore(QWidget* parent, toolkit::DialogService& dialogs, backup::BackupSession& backups,
               std::string gameFile, std::function<void()> restored);
    ~frmRestore() override;

    // Lists the backups again, newest first, and selects the newest.
    void refresh();

private:
    void cmdRestore_Click();

    toolkit::DialogService& m_dialogs;
    backup::BackupSession& m_backups;
    std::string m_gameFile;
    std::function<void()> m_restored;
    std::vector<backup::BackupEntry> m_entries;

    QTreeWidget* List1 = nullptr;
    QPushButton* cmdRestore = nullptr;
    QPushButton* cmdCancel = nullptr;
};

} // namespace velmora::mainwin
