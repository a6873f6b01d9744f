// Random player steps, eight on each real game file and variant in turn, each judged by what
// the game will read. The default run meets a refused preset and a file removed under every kind
// of write; VELMORA_PROPERTY="<seed> <steps>" runs others.

#include "platform/profile.h"
#include "support/gameview.h"
#include "toolkit/controls.h"
#include "windowharness.h"

#include <filesystem>
#include <random>
#include <set>

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>

using namespace velmora;
using namespace velmora::toolkit;
namespace fs = std::filesystem;

namespace {

using Edits = std::vector<std::pair<std::string, std::string>>;
// clang-format off
// Every real file as it is, then variants: the other client, the device's section gone, the
// device missing or empty. Coronas already differs between device sections in every file.
const std::pair<const char*, Edits> kVariants[] = {
    {"client-451-windows-d3d.ini", {}}, {"client-469d-windows-xopengl.ini", {}},
    {"linux-sdl-opengl.ini", {}}, {"stock-436-server-package-default.ini", {}},
    {"dedicated-server-436-newnet-ace.ini", {}},
    {"client-469d-windows-xopengl.ini", {{"=WinDrv.WindowsClient", "=SDLDrv.SDLClient"},
                                         {"[WinDrv.WindowsClient]", "[SDLDrv.SDLClient]"}}},
    {"linux-sdl-opengl.ini", {{"ViewportManager=SDLDrv.SDLClient\r\n", ""}}},
    {"client-451-windows-d3d.ini", {{"[D3DDrv.D3DRenderDevice]", "[D3DDrv.Gone]"}}},
    {"linux-sdl-opengl.ini", {{"[OpenGLDrv.OpenGLRenderDevice]", "[OpenGLDrv.Gone]"}}},
    {"stock-436-server-package-default.ini", {{"GameRenderDevice=SoftDrv.SoftwareRenderDevice", ""}}},
    {"dedicated-server-436-newnet-ace.ini", {{"=SoftDrv.SoftwareRenderDevice", "="}}}};
// What the player picks, in either window, and the class the game then loads.
const std::map<QString, std::string> kClasses = {
    {"SoftwareRender", "SoftDrv.SoftwareRenderDevice"}, {"Software", "SoftDrv.SoftwareRenderDevice"},
    {"GlideRender", "GlideDrv.GlideRenderDevice"}, {"Glide", "GlideDrv.GlideRenderDevice"},
    {"OpenGLRender", "OpenGLDrv.OpenGLRenderDevice"}, {"OpenGl", "OpenGLDrv.OpenGLRenderDevice"},
    {"Direct 3D", "D3DDrv.D3DRenderDevice"}, {"Vulkan Support", "VulkanDrv.VulkanRenderDevice"},
    {"Direct3D 11", "D3D11Drv.D3D11RenderDevice"}};
// The presets' keys, then the values of "slow" and of "fast".
const char* const kPresets[3][9] = {
    {"FullscreenColorbits", "CurvedSurfaces", "LowDetailTextures", "Decals", "NoDynamicLights",
     "SlowVideoBuffering", "SkinDetail", "TextureDetail", "Coronas"},
    {"16", "False", "True", "False", "True", "False", "Low", "Low", "False"},
    {"16", "True", "False", "False", "True", "False", "High", "High", "True"}};
// clang-format on
enum Path { PresetPath, DonePath, UpdatePath, SavePath, LoadPath, RestorePath };

// A message box as the player sees it; a box without a title shows "Velmora".
ShownDialog box(const QString& text, const QString& title, MessageIcon icon)
{
    return {false, text, title, icon, MessageButtons::Ok};
}
const ShownDialog kApplied =
    box("Graphics changes have been applied", "Done", MessageIcon::Information);

// A display name's class: empty for one the table lacks.
std::string classOf(const QString& name)
{
    return kClasses.contains(name) ? kClasses.at(name)
           : name.contains('.')    ? name.toStdString()
                                   : "";
}

// `bytes` without the lines of `keys` in the sections the game reads them from in `after`.
std::string untouched(const std::string& bytes, const std::set<std::string>& keys,
                      const std::string& after)
{
    std::map<std::string, std::string> places; // key -> its section
    for (const std::string& key : keys)
        places[key] = test::gameSection(after, key);
    std::string kept;
    for (const test::GameLine& line : test::gameLines(bytes))
        if (std::ranges::none_of(places, [&](const auto& place) {
                return test::sameName(line.section, place.second) &&
                       (line.header || test::sameName(line.key, place.first));
            }))
            kept += line.text;
    return kept;
}

} // namespace

class PropertyTest : public QObject {
    Q_OBJECT

private slots:
    void EveryStepGivesTheGameWhatThePlayerChose()
    {
        const QStringList run = qEnvironmentVariable("VELMORA_PROPERTY", "11 88").split(' ');
        const int steps = run.value(1).toInt();
        const QString at = "seed " + run.value(0) + ", step %1 (%2), ";
        std::mt19937 random(run.value(0).toUInt());
        for (int step = 0, round = 0; step < steps && !QTest::currentTestFailed(); ++round) {
            const auto& [file, edits] = kVariants[std::size_t(round) % std::size(kVariants)];
            std::string bytes = test::fixture(file);
            for (const auto& [from, to] : edits)
                bytes.replace(bytes.find(from), from.size(), to);
            h = std::make_unique<test::WindowHarness>();
            h->install(bytes);
            h->installRenderers();
            for (const char* library : {"SoftDrv.so", "GlideDrv.so", "OpenGLDrv.so", "D3DDrv.so"})
                test::writeFile(h->prefix.systemFolder + "/" + library, "");
            sets.clear();
            warned = false;
            for (int k = 0; k < 8 && step < steps && !QTest::currentTestFailed(); ++k)
                takeStep(random, at.arg(step++).arg(file));
            h->finish();
        }
    }

private:
    QStringList values() { return h->rows("Form4", "List2"); }

    void takeStep(std::mt19937& random, QString where)
    {
        h->registry.unload("frmload");
        h->registry.unload("Form4");
        int path = int(random() % 6);
        path = path == LoadPath && sets.empty() ? SavePath : path;
        where += QString::number(path);
        const bool editor = path == UpdatePath || path == SavePath || path == LoadPath;
        std::map<std::string, std::string> chosen; // game key -> what the player chose
        std::set<std::string> keys;                // keys the step may change
        std::optional<std::string> whole;          // the file's bytes after a refusal or a restore
        std::optional<ShownDialog> last;           // the box that ends the step
        editor ? h->openEditor() : h->showMain();
        const QStringList read = editor ? values() : QStringList();
        if (editor)
            h->click("Form4", "Command1");
        for (int n = path == UpdatePath || path == SavePath ? 1 + int(random() % 4) : 0; n > 0;
             --n) {
            const int row = int(random() % 15);
            h->clickRow("Form4", "List2", row);
            if (row == 10 || row == 13)
                QTest::keyClicks(h->get("Form4", row == 10 ? "Text1" : "Text2"),
                                 QString::number(row == 10 ? 10 + random() % 90 : random() % 10));
        }
        if (const QString stop = path == DonePath ? done(random, chosen, keys) : "";
            !stop.isEmpty())
            last = box(stop, "Error", MessageIcon::Critical);
        // Another program changes a managed row, or removes the file, between read and write.
        const unsigned other = path == SavePath || path == RestorePath ? 9 : random() % 8;
        const std::string otherKey(test::kGameRowKeys[random() % 6]);
        if (other < 2)
            QVERIFY(platform::writeProfileString(h->Utpath, test::gameSection(h->game(), otherKey),
                                                 otherKey, other ? "Low" : "False")
                        .ok());
        const std::string before = h->game();
        std::string device = test::gameView(before)["GameRenderDevice"];
        const unsigned choice = random() % 2;
        bool yes = random() % 4 != 0; // the answer to the question the step asks
        const char* const option = choice ? "Option2" : "Option1";
        const bool marks[] = {visible("Picture1"), visible("Picture2")};
        bool restored = false;
        QString first; // the editor's first write to a gone file, "<name> = <value>", device first
        if (path == PresetPath) {
            // An option left checked by a "No" does nothing until the window is activated again.
            const bool asks = !h->get<QRadioButton>("Frmmain", option)->isChecked();
            yes = yes && asks;
            if (asks)
                h->expectPreset(yes ? MessageAnswer::Yes : MessageAnswer::No);
            for (std::size_t k = 0; k < 9 && yes; ++k) {
                keys.insert(kPresets[0][k]);
                if (!device.empty())
                    chosen[kPresets[0][k]] = kPresets[1 + choice][k];
            }
            if (!yes || device.empty())
                whole = before;
            if (asks)
                last = !yes    ? box("User abort", "Information", MessageIcon::Information)
                       : whole ? failure("The section name is empty.")
                               : kApplied;
        } else if (path == UpdatePath || path == LoadPath) {
            const std::size_t set = path == LoadPath ? random() % sets.size() : 0;
            const QStringList edited = path == LoadPath ? sets[set] : values();
            for (std::size_t i = 0; i < 15; ++i) {
                const std::string key(test::kGameRowKeys[i]);
                const QString value = edited[qsizetype(i)];
                if (path == UpdatePath ? value == read[qsizetype(i)]
                                       : value == "Default" || value.isEmpty())
                    continue;
                keys.insert({key, "Coronas"}); // Coronas follows a new device
                const std::string game = i == 14 ? classOf(value) : value.toStdString();
                if (!game.empty()) // not a renderer the table lacks
                    chosen[key] = game;
                device = i == 14 && !game.empty() ? game : device;
                // A gone file reads as "Default" throughout: every other value is written.
                if (value != "Default" && (first.isEmpty() || i == 14))
                    first = QString::fromStdString(key) + " = " + value;
            }
            if (device.empty() && chosen.contains("Coronas"))
                whole = before;
            last = whole ? box("Error when saving this itemCoronas = " + edited[6] +
                                   " (The section name is empty.)",
                               "Velmora", MessageIcon::Critical)
                         : kApplied;
            if (path == LoadPath) {
                h->click("Form4", "Command2");
                h->get<QComboBox>("frmload", "Combo1")->setCurrentIndex(int(set));
            }
        } else if (path == SavePath) {
            whole = before;
            sets.push_back(values());
            h->dialogs.expectInput("Please enter a name to save settings to", "Save Settings",
                                   "set" + QString::number(sets.size()));
            h->expectBox("Settings were saved, REMEMBER no changes were made to Unreal "
                         "tournament.ini, Press Update to do that ",
                         "Velmora", MessageIcon::Information);
        } else if (const auto copies = h->backups.list(h->Utpath); path == RestorePath) {
            whole = before;
            if (!copies.empty()) { // File > Restore, newest first
                const std::size_t row = random() % copies.size();
                h->get<QAction>("Frmmain", "Restore")->trigger();
                auto* dialog = h->get<QDialog>("Frmmain", "frmRestore");
                auto* list = dialog->findChild<QTreeWidget*>("List1");
                list->setCurrentItem(list->topLevelItem(int(row)));
                h->dialogs.expectMessage("Restore the game's file as it was on " +
                                             list->currentItem()->text(0) + " at " +
                                             list->currentItem()->text(1) +
                                             "? The file as it is now is kept as a backup first.",
                                         "Restore", MessageIcon::Question, MessageButtons::YesNo,
                                         yes ? MessageAnswer::Yes : MessageAnswer::No);
                QTest::mouseClick(dialog->findChild<QPushButton*>("cmdRestore"), Qt::LeftButton);
                if (!yes) // "No" leaves the list open to choose again
                    dialog->reject();
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
                restored = yes;
                whole = restored ? test::readFile(copies[row].path) : before;
            }
        }
        // The file removed by another program before a write that has something to write.
        const bool gone = other == 2 && (editor ? !first.isEmpty() : !keys.empty());
        if (gone) {
            fs::rename(h->Utpath, h->Utpath + ".away");
            last = editor
                       ? box("Error when saving this item" + first + " (The file no longer exists)",
                             "Velmora", MessageIcon::Critical)
                       : failure("The file no longer exists");
        }
        if (last)
            h->dialogs.expectMessage(last->text, last->title, last->icon, last->buttons);
        const char* const windows[] = {"Frmmain", "Frmmain", "Form4", "Form4", "frmload"};
        const char* const buttons[] = {option, "Command1", "Command4", "Command1", "Command1"};
        if (path != RestorePath)
            h->click(windows[path], buttons[path]);
        where += other < 2 ? " after another program's change: " : ": ";
        QString why; // every box was the one expected, in order, and no other was shown
        const bool said = h->dialogs.expectEmpty(&why);
        holds(said, "it says what happened", where, why.toStdString());
        h->dialogs.reset();
        // The marks come with a step that wrote everything, the presets' with a preset or an
        // editor's apply, Done's with Done, and go with a restore.
        const bool wrote = !whole && !gone && (path != DonePath || !last);
        holds(visible("Picture1") == (!restored && (marks[0] || (wrote && path != DonePath))),
              "the presets' mark tells whether one wrote everything", where);
        holds(visible("Picture2") == (!restored && (marks[1] || (wrote && path == DonePath))),
              "Done's mark tells whether it wrote everything", where);
        holds(path != PresetPath || !yes || !h->get<QRadioButton>("Frmmain", option)->isChecked(),
              "a preset's option can run it again", where);
        if (gone) {
            holds(!fs::exists(h->Utpath), "a removed file is not made again", where);
            return fs::rename(h->Utpath + ".away", h->Utpath);
        }
        const std::string after = h->game();
        auto view = test::gameView(after);
        holds(after == whole.value_or(after), "a refused step or a restore gives the file expected",
              where);
        for (const auto& [key, value] : chosen)
            holds(view[key] == value, "the game reads what the player chose", where,
                  key + " is " + view[key] + ", chosen " + value);
        holds(whole || untouched(before, keys, after) == untouched(after, keys, after),
              "every other line stays", where);
        const auto copies = h->backups.list(h->Utpath);
        holds(after == before || (!copies.empty() && test::readFile(copies.front().path) == before),
              "the newest backup is the file before the step", where);
        if (!restored && path != DonePath && (path != PresetPath || !yes))
            return; // only these read the file again into the main window
        const QStringList rows = h->rows("Frmmain", "List2");
        auto* bar = h->get<DesignStatusBar>("Frmmain", "StatusBar1");
        std::map<std::string, std::string> shown = {
            // stopped or not, as the file holds
            {"CacheSizeMegs", bar->panelText(6).trimmed().chopped(2).toStdString()},
            {"FullscreenViewportX", bar->panelText(2).section(" x ", 0, 0).toStdString()},
            {"FullscreenViewportY", bar->panelText(2).section(" x ", 1, 1).toStdString()}};
        for (std::size_t i = 0; i < 15; ++i)
            shown[std::string(test::kGameRowKeys[i])] =
                i == 14 && rows.value(14) != "Default" ? classOf(rows.value(14))
                                                       : rows.value(qsizetype(i)).toStdString();
        for (const auto& [key, value] : shown)
            holds(value == (view.contains(key) ? view[key] : "Default"),
                  "the main window shows what the game reads", where, key + " shows as " + value);
    }

    // Types a cache size (after an "x" the box drops) or none, and for each drop-down list
    // picks an item, leaves it, or opens and closes it; returns the text Done stops with, or "".
    QString done(std::mt19937& random, std::map<std::string, std::string>& chosen,
                 std::set<std::string>& keys)
    {
        const int cache = random() % 5 ? 1 + int(random() % 200) : 0; // 0: none
        if (cache > 128)
            h->expectBox("Memory value u specified is too large, maximum=128 Mb", "Error",
                         MessageIcon::Information);
        h->get<QLineEdit>("Frmmain", "Text1")->selectAll();
        QTest::keyClicks(h->get("Frmmain", "Text1"), cache ? "\bx" + QString::number(cache) : "\b");
        QStringList shown; // what each list shows: Done reads the lists as the player sees them
        for (const char* name : {"Combo1", "Combo2"}) {
            if (const unsigned action = unsigned(random() % 4); action > 0) { // 1: close
                if (!shown.isEmpty() && !std::exchange(warned, true))
                    h->expectBox("Warning setting resolution too high MAY CAUSE DAMAGE TO PC",
                                 "WARNING", MessageIcon::Warning);
                h->pick("Frmmain", name, action == 1 ? -1 : int(random() % 1000));
            }
            shown << h->get<QComboBox>("Frmmain", name)->currentText();
        }
        if (cache == 0)
            return "No value specified for memory usage";
        chosen["CacheSizeMegs"] = std::to_string(std::min(cache, 128));
        keys.insert("CacheSizeMegs");
        if (shown[0].isEmpty() || shown[0] == "<<Select driver>>")
            return "Please select Drivertype";
        chosen["GameRenderDevice"] = classOf(shown[0]);
        keys.insert({"GameRenderDevice", "Coronas"}); // Coronas is read from the device's section
        if (shown[1] == "<<Select Resolution>>")
            return "Please select Resolution";
        if (shown[1].isEmpty())
            return "Please select you're resolution!";
        chosen["FullscreenViewportX"] = shown[1].section('*', 0, 0).toStdString();
        chosen["FullscreenViewportY"] = shown[1].section('*', 1, 1).toStdString();
        keys.insert({"FullscreenViewportX", "FullscreenViewportY"});
        return "";
    }

    ShownDialog failure(const QString& reason) const
    {
        return box("Unable to write " + h->shown(h->Utpath) + ": " + reason, "Error",
                   MessageIcon::Critical);
    }
    bool visible(const char* mark) const { return !h->get("Frmmain", mark)->isHidden(); }
    void holds(bool kept, const char* property, const QString& where,
               const std::string& detail = {})
    {
        QVERIFY2(kept, qPrintable(where + property + " (" + QString::fromStdString(detail) + ")"));
    }

    std::unique_ptr<test::WindowHarness> h;
    std::vector<QStringList> sets; // saved in this run, in store order
    bool warned = false;           // the resolution warning was shown
};

QTEST_MAIN(PropertyTest)
#include "property_test.moc"
