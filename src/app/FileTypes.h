#pragma once

#include "framework/FileType.h"

#include <memory>

// The document type of the text files the block converter accepts.
namespace FileTypes {
inline std::unique_ptr<fw::FileType> pText;
void _Initialize();
}  // namespace FileTypes
