// The main window's settings commands: the cache-size bound, the two drop-down lists, Done,
// the presets and "User defined".

#include "config/catalogue.h"
#include "config/mainwindisplay.h"
#include "config/readmodule.h"
#include "frmmain.h"
#include "toolkit/controls.h"
#include "toolkit/dialogs.h"
#include "toolkit/windowregistry.h"
#include "toolkit/windowtext.h"

#include <algorithm>

#include <QLabel>
#include <QRadioButton>

namespace velmora::mainwin {

void Frmmain::Text1_Change()
{
    const std::int64_t limit = config::cacheLimitMb(DetectedMemoryMb);
    if (config::cacheSizeValue(toolkit::toCp1252(Text1->text())) <= limit) {
        return;
    }
    dialogs.messageBox(toolkit::fromCp1252(config::cacheTooLargeText(limit)),
                       QStringLiteral("Error"), toolkit::MessageIcon::Information,
                       toolkit::MessageButtons::Ok);
    Text1->setText(QString::number(limit));
}

void Frmmain::Combo1_DropDown()
{
    if (++combo1DropDowns == 1) {
        Combo1->removeItemAt(0);
    }
}

void Frmmain::Combo2_DropDown()
{
    if (++combo2DropDowns != 1) {
        return;
    }
    dialogs.messageBox(QStringLiteral("Warning setting resolution too high MAY CAUSE DAMAGE TO PC"),
                       QStringLiteral("WARNING"), toolkit::MessageIcon::Warning,
                       toolkit::MessageButtons::Ok);
    Combo2->removeItemAt(0);
}

void Frmmain::Command1_Click()
{
    const config::ReadModule::Change change(readModule);
    const bool done = writeDriverResolutionAndCache();
    // Stopped or not, the lists show what the file now holds.
    leesman();
    if (done) {
        Picture2->show();
    }
}

bool Frmmain::writeDriverResolutionAndCache()
{
    if (!config::cacheSizeGiven(toolkit::toCp1252(Text1->text()))) {
        showError(QStringLiteral("No value specified for memory usage"));
        return false;
    }
    if (!writeGameValue(config::sectionFor(config::kCacheSizeMegs, {}), config::kCacheSizeMegs,
                        toolkit::toCp1252(Text1->text()))) {
        return false;
    }
    const auto driver = Combo1->currentIndex() < 0
                            ? renderers.end()
                            : std::ranges::find(renderers, toolkit::toCp1252(Combo1->currentText()),
                                                &config::Renderer::listItem);
    if (Combo1->itemText(0) == toolkit::fromCp1252(config::kSelectDriver) ||
        driver == renderers.end()) {
        showError(QStringLiteral("Please select Drivertype"));
        return false;
    }
    if (!writeGameValue(config::sectionFor(config::kGameRenderDevice, {}),
                        config::kGameRenderDevice, driver->className)) {
        return false;
    }
    if (Combo2->itemText(0) == toolkit::fromCp1252(config::kSelectResolution)) {
        showError(QStringLiteral("Please select Resolution"));
        return false;
    }
    if (Combo2->currentIndex() < 0) {
        showError(QStringLiteral("Please select you're resolution!"));
        return false;
    }
    // The item's position, not its text, names the resolution.
    const config::ResolutionChoice& resolution =
        resolutionItems.at(static_cast<std::size_t>(Combo2->currentIndex()));
    const config::GameSections sections = config::readGameSections(Utpath);
    if (!writeGameValue(config::sectionFor(config::kFullscreenViewportX, sections),
                        config::kFullscreenViewportX, std::to_string(resolution.width)) ||
        !writeGameValue(config::sectionFor(config::kFullscreenViewportY, sections),
                        config::kFullscreenViewportY, std::to_string(resolution.height))) {
        return false;
    }
    return true;
}

void Frmmain::Option1_Click()
{
    applyPreset(false);
}

void Frmmain::Option2_Click()
{
    applyPreset(true);
}

void Frmmain::Option3_Click()
{
    registry().setVisible(QStringLiteral("Form4"), true);
}

void Frmmain::applyPreset(bool fast)
{
    const toolkit::MessageAnswer answer = dialogs.messageBox(
        QStringLiteral(
            " Changes will immediately be made in Unreal Tournament.ini. Continu update?"),
        QStringLiteral("Continue update ?"), toolkit::MessageIcon::Question,
        toolkit::MessageButtons::YesNo);
    if (answer != toolkit::MessageAnswer::Yes) {
        dialogs.messageBox(QStringLiteral("User abort"), QStringLiteral("Information"),
                           toolkit::MessageIcon::Information, toolkit::MessageButtons::Ok);
        return;
    }
    const config::ReadModule::Change change(readModule);
    const platform::WriteOutcome outcome =
        config::writePreset(readModule, fast ? config::Preset::Fast : config::Preset::Slow, Utpath);
    const bool written = outcome.ok();
    if (!written) {
        toolkit::reportWriteFailure(dialogs, Utpath, outcome);
    }
    // Stopped or not: the lists show what the file holds now, and the option runs again.
    leesman();
    toolkit::deselectOptions({Option1, Option2, Option3});
    if (!written) {
        return;
    }
    dialogs.messageBox(QStringLiteral("Graphics changes have been applied"), QStringLiteral("Done"),
                       toolkit::MessageIcon::Information, toolkit::MessageButtons::Ok);
    Picture1->show();
}

} // namespace velmora::mainwin
