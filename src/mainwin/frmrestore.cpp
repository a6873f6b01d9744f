#include "frmrestore.h"

#include "backup/backup.h"
#include "toolkit/dialogs.h"
#include "toolkit/windowtext.h"

#include <chrono>

#include <QDateTime>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace velmora::mainwin {
namespace {

QDateTime localTime(const backup::BackupEntry& entry)
{
    const auto seconds =
        std::chrono::duration_cast<std::chrono::seconds>(entry.time.time_since_epoch());
    return QDateTime::fromSecsSinceEpoch(seconds.count()).toLocalTime();
}

QString dateText(const backup::BackupEntry& entry)
{
    return localTime(entry).toString(QStringLiteral("yyyy-MM-dd"));
}

QString timeText(const backup::BackupEntry& entry)
{
    return localTime(entry).toString(QStringLiteral("HH:mm:ss"));
}

} // namespace

frmRestore::frmRestore(QWidget* parent, toolkit::DialogService& dialogs,
                       backup::BackupSession& backups, std::string gameFile,
                       std::function<void()> restored)
    : QDialog(parent), m_dialogs(dialogs), m_backups(backups), m_gameFile(std::move(gameFile)),
      m_restored(std::move(restored))
{
    setObjectName(QStringLiteral("frmRestore"));
    setWindowTitle(QStringLiteral("Restore"));
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(QStringLiteral("Copies of %1 kept before Velmora changed it:")
                                 .arg(toolkit::pathText(m_gameFile)),
                             this);
    label->setObjectName(QStringLiteral("lblFile"));
    label->setWordWrap(true);
    layout->addWidget(label);
    if (m_backups.unassignedCopies() > 0) {
        auto* earlier = new QLabel(
            QStringLiteral("Copies made by earlier versions of Velmora do not say which file they "
                           "are of, so they are not listed; they are kept in %1.")
                .arg(toolkit::pathText(m_backups.folder())),
            this);
        earlier->setObjectName(QStringLiteral("lblEarlier"));
        earlier->setWordWrap(true);
        layout->addWidget(earlier);
    }

    List1 = new QTreeWidget(this);
    List1->setObjectName(QStringLiteral("List1"));
    List1->setRootIsDecorated(false);
    List1->setHeaderLabels(
        {QStringLiteral("Date"), QStringLiteral("Time"), QStringLiteral("Size")});
    List1->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    List1->setMinimumWidth(360);
    label->setBuddy(List1);
    layout->addWidget(List1);

    auto* buttons = new QDialogButtonBox(this);
    cmdRestore = buttons->addButton(QStringLiteral("&Restore"), QDialogButtonBox::AcceptRole);
    cmdRestore->setObjectName(QStringLiteral("cmdRestore"));
    cmdCancel = buttons->addButton(QDialogButtonBox::Cancel);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    layout->addWidget(buttons);

    connect(cmdRestore, &QPushButton::clicked, this, &frmRestore::cmdRestore_Click);
    connect(List1, &QTreeWidget::itemActivated, this, &frmRestore::cmdRestore_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    refresh();
}

frmRestore::~frmRestore() = default;

void frmRestore::refresh()
{
    m_entries = m_backups.list(m_gameFile);
    List1->clear();
    const QLocale locale;
    for (const backup::BackupEntry& entry : m_entries) {
        auto* item = new QTreeWidgetItem(
            {dateText(entry), timeText(entry),
             locale.toString(static_cast<qulonglong>(entry.size)) + QStringLiteral(" bytes")});
        item->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
        List1->addTopLevelItem(item);
    }
    if (List1->topLevelItemCount() > 0) {
        List1->setCurrentItem(List1->topLevelItem(0));
    }
    cmdRestore->setEnabled(!m_entries.empty());
}

void frmRestore::cmdRestore_Click()
{
    const int row = List1->indexOfTopLevelItem(List1->currentItem());
    if (row < 0 || row >= static_cast<int>(m_entries.size())) {
        return;
    }
    const backup::BackupEntry entry = m_entries[static_cast<std::size_t>(row)];
    const QString question =
        QStringLiteral("Restore the game's file as it was on %1 at %2? The file as it is now is "
                       "kept as a backup first.")
            .arg(dateText(entry), timeText(entry));
    if (m_dialogs.messageBox(question, QStringLiteral("Restore"), toolkit::MessageIcon::Question,
                             toolkit::MessageButtons::YesNo) != toolkit::MessageAnswer::Yes) {
        return;
    }
    const platform::WriteOutcome outcome = m_backups.restore(entry, m_gameFile);
    refresh();
    if (!outcome.ok()) {
        toolkit::reportWriteFailure(m_dialogs, m_gameFile, outcome);
        return;
    }
    if (m_restored) {
        m_restored();
    }
    accept();
}

} // namespace velmora::mainwin
