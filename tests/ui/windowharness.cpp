#include "windowharness.h"

#include "app/composition.h"
#include "platform/gamelocator_wine.h"
#include "platform/profile.h"
#include "platform/ui/controls.h"

#include <filesystem>

#include <QApplication>
#include <QTest>

namespace velmora::test {

std::string fixture(const std::string& name)
{
    return readFile(VELMORA_TESTDATA "/ut-ini/" + name);
}

const QStringList kD3dRows =
    QStringLiteral("32|False|False|True|True|False|True|High|High|False|28.000000|True|False|0|"
                   "Direct 3D")
        .split('|');

WindowHarness::WindowHarness()
    : prefix(writeFakePrefix(folder.file("prefix"), "C:\\UnrealTournament")),
      Utpath(prefix.systemFolder + "/UnrealTournament.ini"), workFolder(folder.file("work")),
      storeFile(workFolder + "/Velmora.ini"),
      locator(
          std::make_unique<platform::wine::WineGameLocator>(std::vector<std::string>{prefix.root}))
{
    std::filesystem::create_directory(workFolder);
    system.directory = workFolder;
    readModule.beforeWrite = [this](const std::string& file) { return backups.ensureBackup(file); };
    registerAll();
}

void WindowHarness::registerAll()
{
    app::registerWindows(registry,
                         {dialogs, documents, *locator, system, readModule, {}, &backups});
}

void WindowHarness::loseGame()
{
    locator = std::make_unique<platform::wine::WineGameLocator>(
        std::vector<std::string>{folder.file("no-prefix")});
    registerAll();
}

void WindowHarness::finish()
{
    registry.endProgram();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
    QString why;
    QVERIFY2(dialogs.expectEmpty(&why), qPrintable(why));
}

QStringList WindowHarness::rows(const QString& window, const QString& list) const
{
    QStringList texts;
    for (auto* box = get<platform::ui::DesignListBox>(window, list);
         texts.size() < box->rowCount();) {
        texts << box->rowText(static_cast<int>(texts.size()));
    }
    return texts;
}

void WindowHarness::clickRow(const QString& window, const QString& list, int row)
{
    auto* box = get<platform::ui::DesignListBox>(window, list);
    QTest::mouseClick(box->viewport(), Qt::LeftButton, {},
                      box->visualItemRect(box->item(row)).center());
}

void WindowHarness::expectPreset(platform::ui::MessageAnswer answer)
{
    dialogs.expectMessage(
        " Changes will immediately be made in Unreal Tournament.ini. Continu update?",
        "Continue update ?", platform::ui::MessageIcon::Question,
        platform::ui::MessageButtons::YesNo, answer);
}

QString WindowHarness::failure(const std::string& file, const std::string& section,
                               const std::string& value)
{
    const auto probe = platform::writeProfileString(file, section, "Probe", value);
    return QString::fromStdString("Unable to write " + file + ": " + probe.reason);
}

} // namespace velmora::test
