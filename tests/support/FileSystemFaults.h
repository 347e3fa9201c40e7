#pragma once

#include <QString>

// Faults of a real file system, for tests that must meet the system's own
// behaviour rather than an injected one.

// A tmpfs of a few pages mounted over a folder, in a mount namespace of this
// process alone, so no other program sees it: a real full disk. Needs the
// right to mount (root); failure() says why when it is missing.
class SmallDisk
{
public:
    SmallDisk(const QString& folder, int kilobytes);
    ~SmallDisk();
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    // Empty once mounted.
    QString failure() const { return m_failure; }
    // Takes all the room that is left but for spareBytes (rounded to pages).
    void fill(qint64 spareBytes);

private:
    QString m_folder;
    QString m_failure;
};

// While it lives, permission bits bind this thread even when it runs as root
// (the capabilities that override them are set aside), as they bind a user.
class PermissionsBind
{
public:
    PermissionsBind();
    ~PermissionsBind();
    PermissionsBind(const PermissionsBind&) = delete;
    PermissionsBind& operator=(const PermissionsBind&) = delete;

private:
    unsigned m_effective = 0;
    bool m_changed = false;
};
