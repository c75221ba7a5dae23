#pragma once

#include <QString>

#include <optional>

// Which file a path leads to: a file deleted and made again, or another put
// in its place, is another file, even under the same name.
struct FileIdentity
{
    quint64 device = 0;
    quint64 inode = 0;

    bool operator==(const FileIdentity&) const = default;
    // Nothing when no file is there.
    static std::optional<FileIdentity> of(const QString& path);
};
