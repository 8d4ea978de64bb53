#include "player/engine/query/QueryTree.h"

namespace player::query {

bool QueryTree::matches(std::size_t index, const sonavel::file_info& info, const char* path,
                        QueryScratch& scratch) const {
    const Expression& expression = expressions[index];
    switch (expression.kind) {
        case Expression::Kind::condition:
            return conditions[expression.condition].matches(info, path, scratch);
        case Expression::Kind::all:
            for (std::size_t operand : expression.operands) {
                if (!matches(operand, info, path, scratch)) return false;
            }
            return true;
        case Expression::Kind::any:
            for (std::size_t operand : expression.operands) {
                if (matches(operand, info, path, scratch)) return true;
            }
            return false;
        case Expression::Kind::negate:
            return !matches(expression.operands.front(), info, path, scratch);
    }
    return false;
}

}  // namespace player::query
