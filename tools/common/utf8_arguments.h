// The program's arguments as UTF-8 where the system hands them to main in
// another code page (Windows, whose narrow arguments are in the ANSI code
// page).
#pragma once

#include <string>
#include <vector>

namespace morlune {

// Fills arguments (the program's name first) and returns true on Windows;
// returns false where main's arguments are already the bytes that were
// given.
bool Utf8Arguments(std::vector<std::string>& arguments);

}  // namespace morlune
