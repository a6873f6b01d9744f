#include "platform/profile.h"
#include "sets/store.h"
#include "toolkit/controls.h"
#include "windowharness.h"

#include <cstdlib>
#include <map>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QTest>

using namespace velmora;
using namespace velmora::toolkit;

namespace {

const QString kPrompt = QStringLiteral("Please enter a name to save settings to");
// The fifteen values the editor shows for client-451-windows-d3d.ini.
const QStringList kD3dRows{"32",        "False", "False", "True", "True",
                           "False",     "True",  "High",  "High", "False",
                           "28.000000", "True",  "False", "0",    "Direct 3D"};

} // namespace

class Form4Test : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        h = std::make_unique<test::WindowHarness>();
        h->installRenderers();
        h->openEditor();
    }
    void cleanup() { h->finish(); }

    void EditsSavesAndUpdatesAndAFailureOfEitherSaysSoAndKeepsTheEdits()
    {
        auto* toggle = h->get<QPushButton>("Form4", "Command1");
        auto caption = [toggle] { return QStringList{toggle->text(), toggle->toolTip()}; };
        QCOMPARE(caption(), QStringList({"&Edit", "Click to edit the Settings"}));
        for (const char* window : {"Form4", "Form5"}) {
            QCOMPARE(h->rows(window, "List1"), h->rows("Frmmain", "List1"));
            QCOMPARE(values(window), kD3dRows);
        }
        QVERIFY(!h->registry.loadedWindow("Frmmain")->isVisible());
        QVERIFY(!h->registry.loadedWindow("Form5")->isVisible());
        QCOMPARE(h->get<DesignStatusBar>("Form4", "StB1")->panelText(1), "Found 0 saved settings");
        QVERIFY(!h->get("Form4", "Command2")->isEnabled());
        clickRow(6); // the lists are disabled until "&Edit"
        h->click("Form4", "Command1");
        QCOMPARE(caption(), QStringList({"Save", "Click to Save the Settings"}));
        // One step each (the cycles themselves are the config tables').
        clickRow(6);
        clickRow(14);
        QCOMPARE(QStringList({values()[6], values()[14]}), QStringList({"False", "OpenGl"}));
        // Per entry the row clicked (negative: none) and the keys typed into its box, then the
        // row's value and whether the box is still open: two frame-rate digits or none commit,
        // Escape leaves without committing, a particle digit commits, none waits.
        const std::pair<int, const char*> entries[] = {{10, "2"},  {-10, "0"}, {10, "\b\x1b"},
                                                       {10, "\b"}, {13, "5"},  {13, "\b"}};
        QStringList seen;
        QList<bool> open;
        for (const auto& [row, keys] : entries) {
            if (row > 0)
                clickRow(row);
            auto* box = h->get<QLineEdit>("Form4", std::abs(row) == 10 ? "Text1" : "Text2");
            QTest::keyClicks(box, keys);
            seen << values()[std::abs(row)];
            open << box->isVisible();
        }
        QCOMPARE(seen, QStringList({"28.000000", "20", "20", "", "5", "5"}));
        QCOMPARE(open, QList<bool>({true, false, false, false, false, true}));
        // The working lists hide when closed; activating the editor again drops unapplied edits
        // and resets the tooltip only.
        h->get<QAction>("Form4", "Check")->trigger();
        VelmoraWindow* form5 = h->registry.loadedWindow("Form5");
        QVERIFY(form5->isVisible());
        form5->close();
        QVERIFY(!form5->isVisible());
        h->registry.userActivates("Form4");
        QCOMPARE(values(), kD3dRows);
        QCOMPARE(caption(), QStringList({"Save", "Click to edit the Settings"}));
        for (int row : {0, 14, 14, 14, 14})
            clickRow(row);
        h->dialogs.expectInput(kPrompt, "Save Settings", "");
        h->click("Form4", "Command1");
        QCOMPARE(caption(), QStringList({"Edit", "Click to Edit the Settings"}));
        QVERIFY(!h->get("Form4", "List2")->isEnabled());
        h->dialogs.expectInput(kPrompt, "Save Settings", "a\nb");
        h->expectError("The settings were not saved. A set name cannot contain a line break.");
        h->get<QAction>("Form4", "Save")->trigger();
        h->dialogs.expectInput(kPrompt, "Save Settings", QStringLiteral("\u0416"));
        h->expectError("The settings were not saved. A set name can hold only characters of the "
                       "Windows-1252 code page.");
        h->get<QAction>("Form4", "Save")->trigger();

        h->dialogs.expectInput(kPrompt, "Save Settings", "Fast");
        h->expectBox("Settings were saved, REMEMBER no changes were made to Unreal "
                     "tournament.ini, Press Update to do that ",
                     "Velmora", MessageIcon::Information);
        h->get<QAction>("Form4", "Save")->trigger();
        // The name reaches the store, and a discovered renderer as its class, so that the set
        // loads the same on any game; that the values come back is the property test's.
        QCOMPARE(stored("SaveName"), "Fast");
        QCOMPARE(stored("GameRenderDevice"), "D3D11Drv.D3D11RenderDevice");

        h->click("Form4", "Command1");
        clickRow(6);
        // First the system refuses the copy kept before the change, in a French system's words.
        h->readModule.beforeWrite = [](const std::string&) {
            return platform::WriteOutcome::failed(
                QStringLiteral("Accès refusé").toLocal8Bit().toStdString());
        };
        h->expectBox("Error when saving this itemGameRenderDevice = Direct3D 11 (Accès refusé)",
                     "Velmora", MessageIcon::Critical);
        h->click("Form4", "Command4");
        QCOMPARE(h->game(), game); // edits wait for Update, which wrote nothing
        QCOMPARE(values()[14], "Direct3D 11");
        QVERIFY(h->get("Form4", "List1")->isVisible());
        QCOMPARE(values("Form5"), kD3dRows);

        h->registerAll(); // the backup hook again
        h->expectApplied();
        h->click("Form4", "Command4");
        QCOMPARE(h->rows("Form5", "List4"),
                 QStringList({"FullscreenColorbits", "Coronas", "GameRenderDevice"}));
        QCOMPARE(h->rows("Form5", "List3"), QStringList({"16", "False", "Direct3D 11"}));
        QCOMPARE(h->rows("Form5", "List5"), QStringList({"32", "Default", "Direct 3D"}));
        // Refilled: Coronas comes from the new device's section, where it was written.
        QCOMPARE(values()[6], "False");
        QCOMPARE(values("Form5"), values());
        QCOMPARE(h->registry.activeWindow(), h->registry.loadedWindow("Frmmain"));
        QVERIFY(!h->get("Form4", "List1")->isVisible());
    }

    // In a font whose rows are tall for its letters, as Wine's fallback font is, all fifteen
    // rows still fit.
    void NamesStayBesideTheirValues()
    {
        const auto restore =
            qScopeGuard([font = QApplication::font()] { QApplication::setFont(font); });
        QFont narrow = QApplication::font();
        narrow.setLetterSpacing(QFont::PercentageSpacing, 50);
        QApplication::setFont(narrow);
        h->finish();
        h = std::make_unique<test::WindowHarness>();
        h->install(test::fixture("client-469d-windows-xopengl.ini")); // a long renderer class
        h->openEditor();
        for (const char* window : {"Frmmain", "Form4"})
            for (const char* name : {"List1", "List2"}) {
                auto* list = h->get<DesignListBox>(window, name);
                QVERIFY(list->visualItemRect(list->item(14)).bottom() < list->viewport()->height());
            }
    }

    // The load dialog over the file's own values, then two sets named alike with their own
    // changes; the editor is opened again to find them.
    void ListsAndLoadsTheSetsAndChangesNothingOnceTheSetOrTheEditorIsGone()
    {
        const std::pair<const char*, std::map<std::size_t, std::string>> saved[] = {
            {"same", {}},
            {"twin", {{0, "16"}, {14, "VulkanDrv.VulkanRenderDevice"}}},
            {"twin", {{4, "False"}}}};
        for (const auto& [name, changes] : saved) {
            sets::EditorLists lists = sets::readEditorLists(h->readModule, h->Utpath);
            for (const auto& [row, value] : changes)
                lists.values[row] = value;
            QVERIFY(sets::saveSettingSet(h->storeFile, name, lists).outcome.ok());
        }
        h->click("Form4", "Command3");
        QVERIFY(h->registry.loadedWindow("Frmmain")->isVisible());
        h->openEditor();
        h->get<QAction>("Form4", "Load")->trigger();
        QStringList listed;
        for (int i = 0; i < combo()->count(); ++i)
            listed << combo()->itemText(i);
        QCOMPARE(listed, QStringList({"same", "twin", "twin"}));
        QCOMPARE(combo()->currentIndex(), -1);
        QVERIFY(!h->get("frmload", "Command1")->isEnabled());
        QTest::keyClick(h->registry.loadedWindow("frmload"), Qt::Key_Return); // loads nothing
        h->registerAll(); // drops the factory that made the dialog, which stays open
        load(1);          // a renderer stored as its class shows by its name
        QCOMPARE(values()[14], "Vulkan Support");
        load(1); // and equals the file that names that class
        QVERIFY(!h->rows("Form5", "List4").contains("GameRenderDevice"));
        load(2); // the other "twin": its own section, measured against the file
        QCOMPARE(h->rows("Form5", "List4"),
                 QStringList({"FullscreenColorbits", "Decals", "GameRenderDevice"}));
        const std::string loaded = h->game();
        h->openEditor();
        h->click("Form4", "Command3");
        h->expectBox("The editor has been closed. Open it again with \"User "
                     "defined\" to load a setting set.",
                     "Velmora", MessageIcon::Information);
        h->click("frmload", "Command1");
        // Escape cancels: the dialog closes and the next opening reads the store again.
        QVERIFY(platform::writeProfileString(h->storeFile, "Velmora", "SaveNumber", "1").ok());
        QTest::keyClick(h->registry.loadedWindow("frmload"), Qt::Key_Escape);
        h->openEditor();
        h->click("Form4", "Command2");
        QCOMPARE(combo()->count(), 1);
        test::writeFile(h->storeFile, "[Velmora]\r\nSaveNumber=3\r\n");
        combo()->setCurrentIndex(0);
        h->expectError("The setting set \"same\" is no longer in " + h->shown(h->storeFile) +
                       ", so nothing was changed.");
        h->click("frmload", "Command1");
        QCOMPARE(h->game(), loaded);
    }

private:
    QStringList values(const char* window = "Form4") { return h->rows(window, "List2"); }
    void clickRow(int row) { h->clickRow("Form4", "List2", row); }
    QString stored(const char* key)
    {
        return QString::fromStdString(
            platform::getProfileString(h->storeFile, "Save1", key, "", 256));
    }
    QComboBox* combo() { return h->get<QComboBox>("frmload", "Combo1"); }
    // Chooses the set at `position` and loads it with Return, which presses "&Load".
    void load(int position)
    {
        combo()->setCurrentIndex(position);
        h->expectApplied();
        QTest::keyClick(h->registry.loadedWindow("frmload"), Qt::Key_Return);
        QVERIFY(h->registry.loadedWindow("frmload")->isVisible());
    }
    std::unique_ptr<test::WindowHarness> h;
    std::string game = test::fixture("client-451-windows-d3d.ini");
};

QTEST_MAIN(Form4Test)
#include "form4_test.moc"
