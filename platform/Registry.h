// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <memory>

// The classic system registry's three reading calls, with its handles, value types and
// result codes. Linux has no such registry: the system one holds no keys. Tests put a
// registry of their own in its place.
class Registry
{
public:
    using HKEY = int32_t;
    static constexpr HKEY HKEY_LOCAL_MACHINE = static_cast<HKEY>(0x80000002);
    static constexpr uint32_t KEY_READ = 0x20019;
    static constexpr uint32_t REG_SZ = 1;
    static constexpr uint32_t REG_DWORD = 4;
    static constexpr int32_t ERROR_SUCCESS = 0;
    static constexpr int32_t ERROR_FILE_NOT_FOUND = 2;
    static constexpr int32_t ERROR_MORE_DATA = 234;

    virtual ~Registry() = default;
    // Opens a key under an open key or a root; on success *result is the new handle.
    virtual int32_t RegOpenKeyEx(HKEY key, const QString &subKey, uint32_t access,
                                 HKEY *result) = 0;
    // On entry data's size is the room there is; on success data holds the value's bytes,
    // as many as it has, and type its type. A value larger than the room gives
    // ERROR_MORE_DATA.
    virtual int32_t RegQueryValueEx(HKEY key, const QString &valueName, uint32_t *type,
                                    QByteArray *data) = 0;
    virtual int32_t RegCloseKey(HKEY key) = 0;
};

Registry &registry();
// Puts another registry in place of the system's until the next call; none restores it.
void setRegistry(std::unique_ptr<Registry> replacement);
