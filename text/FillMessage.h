#pragma once
// Fills a message pattern of the string table. "%d" and "%s" take the arguments in order, "%1" to "%9"
// take argument n. An argument is copied as it is, never read as a pattern; a placeholder without an
// argument stays in the text.

#include <initializer_list>
#include <string>
#include <string_view>

std::string FillMessage(std::string_view pattern, std::initializer_list<std::string_view> args);
