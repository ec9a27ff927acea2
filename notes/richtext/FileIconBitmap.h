#pragma once

#include <string>

// A new temporary BMP file ("~import" ... ".bmp") showing the file's icon above its name, or ""
// when no picture could be made. The icon is the .bmp file that the file type's DefaultIcon
// names under HKEY_CLASSES_ROOT, else a built-in one chosen by the extension.
std::string MakeFileIconBitmap(const std::string& FileName);
