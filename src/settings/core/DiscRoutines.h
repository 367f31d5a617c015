#pragma once
// The catalogue disc: recognising it by its volume label and finding its root, against the
// "CDVolumeLabel" setting. Labels and the setting are UTF-8 text.

#include <string>

#include "platform/Volumes.h"

namespace lumarc {

// True when the volume in the first optical drive (FindCDROMDrive) has a label that, in upper
// case, equals CDVolumeLabel exactly; the setting itself is not converted, so a lower-case
// setting never matches. False when there is no optical drive at all.
bool DiscInDrive(const TVolumeSources& sources = {});

// The directory the catalogue's Windows paths are rooted at, with a trailing "/": the mount
// point of the first mounted volume whose upper-cased label equals CDVolumeLabel; when none is
// mounted, the directory that holds the catalogue's data directory (`catalogueDataDir`
// without a final "Data" component: "/opt/disc/Data/" gives "/opt/disc/", a catalogue kept
// directly in "/opt/disc/" gives that directory). Empty for an empty `catalogueDataDir`.
// A catalogue in a disc image has the image as its disc when the image's own label matches,
// before any mounted volume, and also when no mounted volume matches.
std::string CatalogueDiscRoot(const std::string& catalogueDataDir, const TVolumeSources& sources = {});

// A volume label in upper case as the disc check compares it: the CP1252 letters are
// converted (UpperCaseAnsi); a label CP1252 cannot hold gets only its ASCII letters converted.
std::string UpperCaseLabel(const std::string& label);

}  // namespace lumarc
