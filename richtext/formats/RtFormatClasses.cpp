#include "richtext/formats/RtFormatClasses.h"

#include "richtext/formats/RtRtfReader.h"
#include "richtext/formats/RtRtfWriter.h"
#include "richtext/formats/RtTextReader.h"
#include "richtext/formats/RtTextWriter.h"

void RegisterRtFormatClasses() {
    RegisterRtReaderClass<TRtTextReader>("TRtTextReader");
    RegisterRtWriterClass<TRtTextWriter>("TRtTextWriter");
    RegisterRtReaderClass<TRtRtfReader>("TRtRTFReader");
    RegisterRtWriterClass<TRtRTFWriter>("TRtRTFWriter");
}
