#pragma once
// The query language of the full-text search. Terms are joined by " + " (AND) and " - " (OR),
// combined strictly from left to right: "a + b - c" is (a AND b) OR c, "a - b + c" is
// (a OR b) AND c. A plus or minus without a blank on each side is part of a term.

#include <string>
#include <string_view>

#include "catalogue/StringList.h"

namespace lumarc {

// The operator that follows a term, kept in the term's object slot; the last term has none.
enum TSearchOperator : int32_t { soNone = -1, soAnd = 0, soOr = 1 };

// Maps a-z to A-Z and leaves every other byte alone: umlauts are not folded.
void UpperCaseAZ(std::string& text);
std::string UpperCaseAZ(std::string_view text);

// Replaces `terms` with the query's terms in order, upper-cased unless caseSensitive.
// A query without separators is one term; empty terms are kept (they match nothing).
void ParseQuery(std::string query, bool caseSensitive, TStringList& terms);

}  // namespace lumarc
