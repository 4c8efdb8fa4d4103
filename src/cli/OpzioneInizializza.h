#pragma once

// --inizializza: prepares the first run (see PrimaConfigurazione) in the user's folders.
// Refuses when no home folder is set, since the folders would then be made at the root.
int OpzioneInizializza();
