#include "value.h"

namespace avs_standin {

const char* kind_name(Value::Kind kind) {
    switch (kind) {
        case Value::Kind::none: return "nothing";
        case Value::Kind::boolean: return "a bool";
        case Value::Kind::integer: return "an int";
        case Value::Kind::floating: return "a float";
        case Value::Kind::string: return "a string";
        case Value::Kind::clip: return "a clip";
    }
    return "a value";
}

}  // namespace avs_standin
