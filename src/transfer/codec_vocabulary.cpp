// Command 56: the message vocabulary, one 16-byte word per index 0..186. Applied first after a
// read, so that the word copies of inputs, outputs, partitions and groups follow the new words.
#include "transfer/codec.h"
#include "transfer/codec_layout.h"

namespace Codec {

void installVocabularyCodec() {
    installLayout({CmdMessaggi, {{table<&TDM::CDSet_Messaggi>, 187, {name("_Messaggio")}}}, 0});
}

} // namespace Codec
