// The operators of the script language on values.
#pragma once

#include <string_view>

#include "value.h"

namespace avs_standin {

// `a op b` for + ++ - * / % == != <> < > <= >= (&& and || are evaluated by the caller, which skips
// the right side when the left decides). Throws ScriptError "Evaluate: ..." when the operands do not fit.
Value apply_binary(std::string_view op, const Value& a, const Value& b);

// `op a` for - + !.
Value apply_unary(std::string_view op, const Value& a);

}  // namespace avs_standin
