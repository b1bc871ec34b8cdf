#include "app/SharedFolder.h"

#ifdef Q_OS_WIN
#ifndef NOMINMAX
#define NOMINMAX
#endif
// clang-format off
#include <windows.h>
#include <aclapi.h>
// clang-format on
#endif

bool shareWithUsers(const QString& folder)
{
#ifdef Q_OS_WIN
    BYTE users[SECURITY_MAX_SID_SIZE];
    DWORD usersSize = sizeof users;
    if (!CreateWellKnownSid(WinBuiltinUsersSid, nullptr, users, &usersSize)) {
        return false;
    }
    std::wstring path = folder.toStdWString();
    PACL current = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (GetNamedSecurityInfoW(path.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr,
                              &current, nullptr, &descriptor) != ERROR_SUCCESS) {
        return false;
    }
    // "Modify", as Explorer's security page calls it: read, write, run and delete.
    EXPLICIT_ACCESSW access = {};
    access.grfAccessPermissions = FILE_GENERIC_READ | FILE_GENERIC_WRITE | FILE_GENERIC_EXECUTE | DELETE;
    access.grfAccessMode = GRANT_ACCESS;
    access.grfInheritance = SUB_CONTAINERS_AND_OBJECTS_INHERIT;
    access.Trustee.TrusteeForm = TRUSTEE_IS_SID;
    access.Trustee.TrusteeType = TRUSTEE_IS_WELL_KNOWN_GROUP;
    access.Trustee.ptstrName = reinterpret_cast<LPWSTR>(users);
    PACL updated = nullptr;
    DWORD result = SetEntriesInAclW(1, &access, current, &updated);
    if (result == ERROR_SUCCESS) {
        result = SetNamedSecurityInfoW(path.data(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                                       nullptr, updated, nullptr);
    }
    LocalFree(updated);
    LocalFree(descriptor);
    return result == ERROR_SUCCESS;
#else
    Q_UNUSED(folder);
    return true;
#endif
}
