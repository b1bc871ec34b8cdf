#pragma once

#include <QString>

// Lets every account of the machine (the local Users group, by its well-known SID, whatever the
// group is called in the system's language) change `folder` and everything that will be made in
// it. The client's folder is machine-wide and made by whichever account starts first, and Windows'
// data folder lets the other accounts read it only. Nothing to do, and true, elsewhere.
bool shareWithUsers(const QString& folder);
