#include "richtext/formats/RtFormatClasses.h"

#include "richtext/formats/RtTextReader.h"
#include "richtext/formats/RtTextWriter.h"

void RegisterRtFormatClasses() {
    RegisterRtReaderClass<TRtTextReader>("TRtTextReader");
    RegisterRtWriterClass<TRtTextWriter>("TRtTextWriter");
}
