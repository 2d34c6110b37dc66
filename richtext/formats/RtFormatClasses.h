#pragma once
// Puts the format classes into the model's reader and writer registry under
// their class names ("TRtTextReader", "TRtTextWriter", "TRtRTFReader",
// "TRtRTFWriter"). Called once at start-up; a name that is registered
// already keeps its first class.
void RegisterRtFormatClasses();
