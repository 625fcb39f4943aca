// The program's texts in English and Spanish, numbered 1000 + n and 2000 + n
// for n from 400 to 435, and the lookup by the current language.
#pragma once

#include <string>

namespace corvina {

// Text n (given as decimal text, e.g. "405") in currentLanguage: English for
// "English", Spanish for "Español", empty for any other language or number.
std::string GetLangText(const std::string& number);

// The stored text of one resource number (1400..1435, 2400..2435), or empty.
std::string LoadResString(int resourceNumber);

}  // namespace corvina
