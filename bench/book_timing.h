#pragma once

// Times the site book on a generated book of 10,000 sites, 20,000 devices and 200,000 visits in a
// temporary folder: opening it, recording a visit, a search by name prefix and by serial number
// as one types, and opening a site's card (its record, devices and visits). Prints the median of
// runs of each in ms against the goal; returns false (with a message) when the book cannot be
// made or a call fails.
bool RunBookTimings(int runs);
