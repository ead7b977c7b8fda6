#include "pages/fetch_frame.h"

namespace qz::input {

FetchOutcome fetch_frame(App& app, int n) {
    const FetchOutcome outcome = fetch_frame(app.bridges, app.video, n);
    const std::string line = fetch_outcome_text(outcome, app.bridges);
    if (!line.empty()) app.log.add(line);
    return outcome;
}

}  // namespace qz::input
