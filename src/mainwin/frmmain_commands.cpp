// The main window's settings commands: the cache-size bound, the two drop-down lists, Done,
// the presets and "User defined".

#include "config/catalogue.h"
#include "config/mainwindisplay.h"
#include "config/readmodule.h"
#include "frmmain.h"
#include "platform/ui/controls.h"
#include "platform/ui/cp1252.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/windowregistry.h"

#include <QLabel>
#include <QRadioButton>

namespace velmora::mainwin {

namespace {

std::string_view presetSection(config::SectionKind kind, std::string_view renderDevice)
{
    switch (kind) {
    case config::SectionKind::RenderDevice:
        return renderDevice;
    case config::SectionKind::Engine:
        return config::kEngine;
    case config::SectionKind::WindowsClient:
        break;
    }
    return config::kWindowsClient;
}

} // namespace

void Frmmain::Text1_Change()
{
    if (config::cacheSizeValue(ui::toCp1252(Text1->text())) <= DetectedMemoryMb) {
        return;
    }
    dialogs.messageBox(ui::fromCp1252(config::cacheTooLargeText(DetectedMemoryMb)),
                       QStringLiteral("Error"), ui::MessageIcon::Information,
                       ui::MessageButtons::Ok);
    Text1->setText(QString::number(DetectedMemoryMb));
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
                       QStringLiteral("WARNING"), ui::MessageIcon::Warning, ui::MessageButtons::Ok);
    Combo2->removeItemAt(0);
}

void Frmmain::Command1_Click()
{
    if (Text1->text().isEmpty()) {
        showError(QStringLiteral("No value specified for memory usage"));
        return;
    }
    if (!writeGameValue(config::kGameEngine, config::kCacheSizeMegs, ui::toCp1252(Text1->text()))) {
        return;
    }
    const std::optional<std::string_view> className =
        Combo1->currentIndex() < 0 ? std::nullopt
                                   : config::classForListItem(ui::toCp1252(Combo1->currentText()));
    if (Combo1->itemText(0) == ui::fromCp1252(config::kSelectDriver) || !className) {
        showError(QStringLiteral("Please select Drivertype"));
        return;
    }
    if (!writeGameValue(config::kEngine, config::kGameRenderDevice, *className)) {
        return;
    }
    if (Combo2->itemText(0) == ui::fromCp1252(config::kSelectResolution)) {
        showError(QStringLiteral("Please select Resolution"));
        return;
    }
    if (Combo2->currentIndex() < 0) {
        showError(QStringLiteral("Please select you're resolution!"));
        return;
    }
    // The item's position, not its text, names the resolution.
    const config::Resolution& resolution =
        config::resolutions().at(static_cast<std::size_t>(Combo2->currentIndex()));
    if (!writeGameValue(config::kWindowsClient, config::kFullscreenViewportX,
                        std::to_string(resolution.width)) ||
        !writeGameValue(config::kWindowsClient, config::kFullscreenViewportY,
                        std::to_string(resolution.height))) {
        return;
    }
    leesman();
    Picture2->show();
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
    const ui::MessageAnswer answer = dialogs.messageBox(
        QStringLiteral(
            " Changes will immediately be made in Unreal Tournament.ini. Continu update?"),
        QStringLiteral("Continue update ?"), ui::MessageIcon::Question, ui::MessageButtons::YesNo);
    if (answer != ui::MessageAnswer::Yes) {
        dialogs.messageBox(QStringLiteral("User abort"), QStringLiteral("Information"),
                           ui::MessageIcon::Information, ui::MessageButtons::Ok);
        return;
    }
    readModule.ReadGameValue(config::kEngine, config::kGameRenderDevice, Utpath);
    const std::string renderDevice = readModule.ReadResult;
    const config::Preset preset = fast ? config::Preset::Fast : config::Preset::Slow;
    for (const config::PresetStep& step : config::presetSteps()) {
        if (!writeGameValue(presetSection(step.section, renderDevice), step.key,
                            config::presetValue(step, preset))) {
            return;
        }
    }
    leesman();
    ui::deselectOptions({Option1, Option2, Option3});
    dialogs.messageBox(QStringLiteral("Graphics changes have been applied"), QStringLiteral("Done"),
                       ui::MessageIcon::Information, ui::MessageButtons::Ok);
    Picture1->show();
}

} // namespace velmora::mainwin
