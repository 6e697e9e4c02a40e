#pragma once

#include <string>

#include "LogoMemory.h"

namespace pavina::sim {

// Writes a received logo as PREFIX-colour.bmp, PREFIX-key.bmp and PREFIX.txt (width,
// height, x, y, the size sent and whether it matched, the upload's number). Each file is
// written under a temporary name and renamed, and the text file comes last, so that a
// reader that sees it sees the whole set. False with the reason when a file cannot be
// written.
bool WriteLogoFiles(const std::string& prefix, const TReceivedLogo& logo,
                    std::uint32_t uploadNumber, std::string& error);

}  // namespace pavina::sim
