#include "core/export/package.h"

#include <algorithm>
#include <array>

#include "core/data/file_io.h"
#include "core/export/base64.h"
#include "core/export/blowfish.h"

namespace talmorek::exporting {

std::string encryptToPackage(std::string_view container, std::string_view key) {
    BlowfishCfb8 cipher(key);
    std::array<char, kPackageSlice> buffer{};  // zeros: the filler when there is no previous slice
    std::string encrypted;
    encrypted.reserve((container.size() + kPackageSlice - 1) / kPackageSlice * kPackageSlice);
    for (std::size_t at = 0; at < container.size(); at += kPackageSlice) {
        std::string_view slice = container.substr(at, kPackageSlice);
        std::copy(slice.begin(), slice.end(), buffer.begin());
        cipher.encrypt(buffer);
        encrypted.append(buffer.data(), buffer.size());
    }
    std::fill(buffer.begin(), buffer.end(), '\0');
    return encodeBase64(encrypted);
}

std::string decryptPackage(std::string_view packageText, std::string_view key,
                           const std::string& fileNameForErrors) {
    BlowfishCfb8 cipher(key);
    std::string bytes = decodeBase64(packageText, fileNameForErrors);
    cipher.decrypt(bytes);
    return bytes;
}

std::string makePackage(std::string_view plain) { return encryptToPackage(packToContainer(plain), kPackageKey); }

std::string readPackage(std::string_view packageText, const std::string& fileNameForErrors, std::size_t largest) {
    return unpackContainer(decryptPackage(packageText, kPackageKey, fileNameForErrors), fileNameForErrors, largest);
}

void Zabal(const std::string& plainPath, const std::string& containerPath) {
    data::replaceFileAtomically(containerPath, packToContainer(data::readWholeFile(plainPath)));
}

void Rozbal(const std::string& containerPath, const std::string& plainPath) {
    data::replaceFileAtomically(plainPath, unpackContainer(data::readWholeFile(containerPath), containerPath));
}

void Zasifruj(const std::string& containerPath, const std::string& packagePath, std::string_view key) {
    data::replaceFileAtomically(packagePath, encryptToPackage(data::readWholeFile(containerPath), key));
}

void Desifruj(const std::string& packagePath, const std::string& containerPath, std::string_view key) {
    data::replaceFileAtomically(containerPath, decryptPackage(data::readWholeFile(packagePath), key, packagePath));
}

}  // namespace talmorek::exporting
