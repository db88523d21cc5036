#pragma once

// What filings cut by a power cut or a crash leave behind: the hidden temporary files their
// pictures were being written under, beside their targets.
namespace restes_classement {

// Removes them, wherever a filing writes: the data folder in use and the archive root, each of their
// folders (an establishment's pictures, its " BR" and " BR3" copies, its archive) and the folders
// inside those (the classes of " BR3", "remplacées", "non classées"), whatever establishment they
// belong to, even one renamed or deleted since. A temporary that a running writer holds stays.
// The number removed.
int retirer();

} // namespace restes_classement
