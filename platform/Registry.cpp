// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Registry.h"

namespace {
class SystemRegistry : public Registry
{
public:
    int32_t RegOpenKeyEx(HKEY, const QString &, uint32_t, HKEY *) override
    {
        return ERROR_FILE_NOT_FOUND;
    }
    int32_t RegQueryValueEx(HKEY, const QString &, uint32_t *, QByteArray *) override
    {
        return ERROR_FILE_NOT_FOUND;
    }
    int32_t RegCloseKey(HKEY) override { return ERROR_SUCCESS; }
};

std::unique_ptr<Registry> &current()
{
    static std::unique_ptr<Registry> r = std::make_unique<SystemRegistry>();
    return r;
}
} // namespace

Registry &registry()
{
    return *current();
}

void setRegistry(std::unique_ptr<Registry> replacement)
{
    current() = replacement ? std::move(replacement) : std::make_unique<SystemRegistry>();
}
