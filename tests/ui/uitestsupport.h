#pragma once

// What every window test needs: a temporary Wine-style installation with a fake game locator,
// a fixed memory size, and raw views of the files the windows write.

#include "platform/gamelocator.h"
#include "platform/systeminfo.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

namespace velmora::test {

inline constexpr std::uint64_t kMb = 1024 * 1024;

// The game installed at C:\UnrealTournament of a prefix under `root`; an empty folder
// stands for a registry without the game.
class FakeGameLocator final : public platform::GameLocator {
public:
    FakeGameLocator(const QString& root, std::string folder)
        : m_root(root.toStdString()), m_folder(std::move(folder))
    {}
    std::string gameFolder() const override { return m_folder; }
    std::string localPath(const std::string& windowsPath) const override
    {
        std::string path = windowsPath.substr(2); // without "C:"
        for (char& ch : path) {
            ch = ch == '\\' ? '/' : ch;
        }
        return m_root + "/drive_c" + path;
    }

private:
    std::string m_root;
    std::string m_folder;
};

class FixedSystemInfo final : public platform::SystemInfo {
public:
    std::uint64_t totalPhysicalMemory() const override { return memory; }
    std::string currentDirectory() const override { return directory; }

    std::uint64_t memory = 128 * kMb;
    std::string directory;
};

inline QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool writeFileBytes(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The value of `key` in `section` exactly as the line holds it after '=', or nullopt; names
// match without regard to case, as the game reads them. No blank is trimmed from the value.
inline std::optional<QByteArray> rawValue(const QByteArray& bytes, const QByteArray& section,
                                          const QByteArray& key)
{
    bool inSection = false;
    for (QByteArray line : bytes.split('\n')) {
        if (line.endsWith('\r')) {
            line.chop(1);
        }
        if (line.startsWith('[')) {
            inSection =
                line.mid(1, line.indexOf(']') - 1).compare(section, Qt::CaseInsensitive) == 0;
            continue;
        }
        const qsizetype equals = line.indexOf('=');
        if (inSection && equals > 0 && line.left(equals).compare(key, Qt::CaseInsensitive) == 0) {
            return line.mid(equals + 1);
        }
    }
    return std::nullopt;
}

} // namespace velmora::test
