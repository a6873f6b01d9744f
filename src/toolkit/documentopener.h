#pragma once

// Opening a document with the desktop's handler for it (the help file).

#include <QString>

namespace velmora::toolkit {

class DocumentOpener {
public:
    virtual ~DocumentOpener() = default;
    // True when the document was handed to a program that opens it.
    virtual bool open(const QString& path) = 0;
};

// QDesktopServices::openUrl; a missing file fails at once, since the desktop's launcher
// would report success and then show nothing.
class QtDocumentOpener final : public DocumentOpener {
public:
    bool open(const QString& path) override;
};

} // namespace velmora::toolkit
