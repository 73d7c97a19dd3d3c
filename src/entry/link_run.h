// One run of the link: from an active machine group to the simulator started
// on freshly written files, with the settings stored for the next run.
#pragma once

namespace quenlo {

void LinkRun();

}  // namespace quenlo
