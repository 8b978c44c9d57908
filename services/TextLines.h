// Lines of 8-bit text files as the program reads them: a line ends at a
// carriage return, a line feed or both.
#pragma once
#include <string>
#include <vector>

namespace vantrel {

// What comes before the first line end; the whole text when there is none.
std::string FirstLine(const std::string& bytes);

// Every line without its line end; a final line end starts no further line.
std::vector<std::string> Lines(const std::string& bytes);

}  // namespace vantrel
