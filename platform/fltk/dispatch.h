// Internal to the toolkit: the one event hook that previews keys and answers F1.
#pragma once

namespace toolkit {
void InstallEventDispatch();
}
