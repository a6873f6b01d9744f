#pragma once

// The program's real windows as main() registers them, over a fresh Wine-style prefix with the
// game at C:\UnrealTournament, a working folder, 128 MB of memory and scripted dialogs.

#include "config/readmodule.h"
#include "platform/gamelocator.h"
#include "platform/systeminfo.h"
#include "platform/ui/scripteddialogs.h"
#include "platform/ui/velmorawindow.h"
#include "platform/ui/windowregistry.h"
#include "support/fakeprefix.h"

#include <cstdint>
#include <memory>
#include <string>

#include <QStringList>
#include <QWidget>

namespace velmora::test {

inline constexpr std::uint64_t kMb = 1024 * 1024;

// A game file of tests/data/ut-ini.
std::string fixture(const std::string& name);

// `bytes` after the profile engine writes `value` under `key` in `section`.
std::string written(std::string bytes, const std::string& section, const std::string& key,
                    const std::string& value);

// The fifteen values the main window and the editor show for client-451-windows-d3d.ini.
extern const QStringList kD3dRows;

class FixedSystemInfo final : public platform::SystemInfo {
public:
    std::uint64_t totalPhysicalMemory() const override { return memory; }
    std::string currentDirectory() const override { return directory; }
    std::uint64_t memory = 128 * kMb;
    std::string directory;
};

class WindowHarness {
public:
    WindowHarness();

    // Every test ends here: no window left behind and the dialog script used up.
    void finish();
    void loseGame(); // the registry holds no game entry from now on
    void install(const std::string& bytes) { writeFile(Utpath, bytes); }
    std::string game() const { return readFile(Utpath); }
    void showMain(); // loaded hidden first, as the splash does

    template <class T = QWidget> T* get(const QString& window, const QString& name) const
    {
        platform::ui::VelmoraWindow* owner = registry.loadedWindow(window);
        return owner != nullptr ? owner->findChild<T*>(name) : nullptr;
    }
    QStringList rows(const QString& window, const QString& list) const;
    void clickRow(const QString& window, const QString& list, int row);
    void click(const QString& window, const QString& control);
    void expectError(const QString& text);
    void expectApplied();

    TemporaryFolder folder;
    FakePrefix prefix;
    std::string Utpath, workFolder, storeFile;
    FixedSystemInfo system;
    platform::ui::ScriptedDialogs dialogs;
    platform::ui::FakeDocumentOpener documents;
    config::ReadModule readModule;
    std::unique_ptr<platform::GameLocator> locator;
    platform::ui::WindowRegistry registry; // last: its windows go before the services they use

private:
    void registerAll();
};

} // namespace velmora::test
