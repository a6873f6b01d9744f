#include "app/composition.h"

#include "app/frmabout.h"
#include "app/frmsplash.h"
#include "backup/backup.h"
#include "config/readmodule.h"
#include "editor/form4.h"
#include "editor/form5.h"
#include "mainwin/frmmain.h"
#include "platform/systeminfo.h"
#include "sets/ui/frmload.h"
#include "toolkit/windowregistry.h"

#include <QPointer>

namespace velmora::app {
namespace {

const QString kMainWindow = QStringLiteral("Frmmain");
const QString kEditor = QStringLiteral("Form4");

// The windows other windows talk to, kept typed from their factories so nobody downcasts.
struct Composed {
    toolkit::WindowRegistry& registry;
    QPointer<mainwin::Frmmain> main;
    QPointer<editor::Form4> editor;

    // Null once the registry has unloaded the window, even before Qt deletes it.
    template <class W> W* ifLoaded(const QString& name, const QPointer<W>& window) const
    {
        return window != nullptr && registry.loadedWindow(name) == window.data() ? window.data()
                                                                                 : nullptr;
    }
};

class EditorSessionOf final : public sets::ui::EditorSession {
public:
    explicit EditorSessionOf(std::shared_ptr<Composed> composed) : m_composed(std::move(composed))
    {}

    std::optional<std::string> storePath() const override
    {
        const editor::Form4* open = m_composed->ifLoaded(kEditor, m_composed->editor);
        return open != nullptr ? std::optional<std::string>(open->SetFilePath) : std::nullopt;
    }

    bool loadAndApply(const sets::StoredSet& set) override
    {
        editor::Form4* open = m_composed->ifLoaded(kEditor, m_composed->editor);
        return open != nullptr && open->loadAndApply(set);
    }

private:
    std::shared_ptr<Composed> m_composed;
};

} // namespace

void registerWindows(toolkit::WindowRegistry& registry, const Services& services)
{
    if (services.backups != nullptr) {
        services.readModule.beforeWrite = [backups = services.backups](const std::string& file) {
            return backups->ensureBackup(file);
        };
    }
    auto composed = std::make_shared<Composed>(Composed{registry, {}, {}});
    auto session = std::make_shared<EditorSessionOf>(composed);

    registry.registerFactory(QStringLiteral("frmSplash"), [&registry, services] {
        return std::make_unique<frmSplash>(registry, services.system);
    });
    registry.registerFactory(kMainWindow, [&registry, services, composed] {
        auto main = std::make_unique<mainwin::Frmmain>(registry, services.dialogs,
                                                       services.documents, services.locator,
                                                       services.system, services.readModule);
        main->ConfigRequest = services.request;
        main->Backups = services.backups;
        composed->main = main.get();
        return main;
    });
    registry.registerFactory(QStringLiteral("frmAbout"), [&registry, composed] {
        return std::make_unique<frmAbout>(registry, [composed] {
            const mainwin::Frmmain* main = composed->ifLoaded(kMainWindow, composed->main);
            return main != nullptr ? main->Utpath : std::string();
        });
    });

    // The editor asks for the game's file at every read and write, so it never holds a stale
    // path.
    const editor::EditorServices editorServices{
        services.dialogs, services.readModule,
        [composed] {
            const mainwin::Frmmain* main = composed->ifLoaded(kMainWindow, composed->main);
            return main != nullptr ? main->Utpath : std::string();
        },
        [&system = services.system] { return system.currentDirectory(); },
        [composed] {
            // The main window is loaded on demand, as showing it next would.
            composed->registry.window(kMainWindow);
            if (mainwin::Frmmain* main = composed->ifLoaded(kMainWindow, composed->main)) {
                main->setPicture1Visible(true);
            }
        }};
    registry.registerFactory(kEditor, [&registry, editorServices, composed] {
        auto editor = std::make_unique<editor::Form4>(registry, editorServices);
        composed->editor = editor.get();
        return editor;
    });
    registry.registerFactory(QStringLiteral("Form5"),
                             [&registry] { return std::make_unique<editor::Form5>(registry); });
    registry.registerFactory(
        QStringLiteral("frmload"), [&registry, &dialogs = services.dialogs, session] {
            return std::make_unique<sets::ui::frmload>(registry, dialogs, session);
        });
}

} // namespace velmora::app
