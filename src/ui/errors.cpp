#include "ui/errors.h"

#include <windows.h>

namespace ui {

ERegistryError ERegistryError::writeFailed(const std::string& valueName)
{
    return ERegistryError("Fehler beim Setzen der Daten für '" + valueName + "'");
}

ERegistryError ERegistryError::keyCreateFailed(const std::string& keyPath)
{
    return ERegistryError("Erzeugung von Schlüssel " + keyPath + " mißlungen");
}

ERegistryError ERegistryError::invalidDataType(const std::string& valueName)
{
    return ERegistryError("Ungültiger Datentyp für '" + valueName + "'");
}

EConvertError EConvertError::notAnInteger(const std::string& text)
{
    return EConvertError("'" + text + "' ist kein gültiger Integerwert");
}

EPropertyError EPropertyError::missingProperty(const std::string& property)
{
    return EPropertyError("Eigenschaft " + property + " existiert nicht");
}

EFileCreateError EFileCreateError::cannotCreate(const std::string& path)
{
    return EFileCreateError("Datei " + path + " kann nicht erstellt werden");
}

EOSError EOSError::fromLastError()
{
    return fromCode(GetLastError());
}

EOSError EOSError::fromCode(unsigned long code)
{
    char* buffer = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
    std::string text = length ? std::string(buffer, length) : std::string();
    if (buffer)
        LocalFree(buffer);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' '))
        text.pop_back();
    if (text.empty())
        text = "Systemfehler. Code: " + std::to_string(code);
    return EOSError(code, text);
}

}  // namespace ui
