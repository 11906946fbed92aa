// Whole files as byte strings, for setting up inputs and checking outputs.
#ifndef EXTRACTPANEL_TESTS_FILECONTENT_H
#define EXTRACTPANEL_TESTS_FILECONTENT_H

#include <string>

// False when the file cannot be opened or read; content is then empty.
bool ReadWholeFile(const std::string& path, std::string& content);
// The content, or "" when the file cannot be read.
std::string ReadWholeFile(const std::string& path);
// Writes the bytes exactly (no line-end translation); false on failure.
bool WriteWholeFile(const std::string& path, const std::string& content);
bool FileExists(const std::string& path);

#endif
