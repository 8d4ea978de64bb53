#pragma once
// A tag update's completion that reports the update's failures itself, in one message with what it has
// to say of them: the tag writing engine then lists them on the console and shows no message of its
// own. Implemented by the player's undo beside completion_notify; called on the main thread, just before
// on_completion.
#include <string>
#include <vector>

namespace player {

class SelfReportingCompletion {
public:
    struct Failures {
        // "path: why", one a file, as the engine's own message would list them.
        std::vector<std::string> lines;
        // The files among them that another program changed since they were read (not written).
        std::vector<std::string> changed_elsewhere;
    };
    virtual void take_failures(Failures failures) = 0;

protected:
    ~SelfReportingCompletion() = default;
};

}  // namespace player
