#include "model/lang.h"

#include "model/dimensions.h"
#include "model/langtexts.h"

#include <QCoreApplication>
#include <QLocale>

namespace Lang {

QStringList ListaTipoIngresso_TAVEK_MIRUN;
QStringList ListaTipoIngressoSegni_TAVEK_MIRUN;
QStringList ListaTipoIngresso_TAVEK_MIRUNR1;
QStringList ListaTipoIngresso_TAVEK_MIRUNR2;
QStringList ListaTipoIngresso_TAVEK_MIRUNR3;
QStringList ListaTipoIngresso_TAVEK_MIRUNNR;
QStringList ListaFunzioniIngresso;
QStringList ListaFunzioniIngressoSegni;
QStringList ListaSirenaIngresso;
QStringList ListaSirenaIngressoSegni;
QStringList ListaImpulsiIngresso;
QStringList ListaCicliEsclusione;
QStringList ListaTempoIngresso;
QStringList ListaPolaritaIngressi;
QStringList ListaPolaritaIngressiSegni;
QStringList ListaFunzioneUsciteTAVEK;
QStringList ListaFunzioneUsciteMIRUN;
QStringList ListaFunzioneUsciteMIRUNPLUS;
QStringList ListaFunzioneUscitePELUN;
QStringList ListaFunzioneUsciteQUANE;
QStringList ListaFunzioneUsciteZOREM;
QStringList ListaFunzioneUsciteSegniTAVEK;
QStringList ListaFunzioneUsciteSegniMIRUN;
QStringList ListaFunzioneUsciteSegniMIRUNPLUS;
QStringList ListaFunzioneUsciteSegniPELUN;
QStringList ListaFunzioneUsciteSegniQUANE;
QStringList ListaFunzioneUsciteSegniZOREM;
QStringList ListaCondFunzioneUsciteTAVEK;
QStringList ListaCondFunzioneUsciteMIRUN;
QStringList ListaCondFunzioneUsciteSegniTAVEK;
QStringList ListaCondFunzioneUsciteSegniMIRUN;
QStringList ListaPolaritaUscite;
QStringList ListaPolaritaUsciteSegni;
QStringList ListaMessaggi;

QString Version;
std::function<void()> windowTextsHook;

namespace {

const QStringList kNoChannels;

QStringList firstOutputFunctions(const QStringList& all, int systemType) {
    return all.mid(0, modelFeatures(systemType)->outputFunctions);
}

// The first character of a locale format that is not part of a field letter.
QChar separatorOf(const QString& format, QChar fallback) {
    for (QChar c : format) {
        if (!c.isLetter() && !c.isSpace() && c != QLatin1Char('\''))
            return c;
    }
    return fallback;
}

} // namespace

const QStringList& channelNames400(int tipo) {
    switch (tipo) {
    case 1:
        return TULMO400Ch;
    case 2:
        return TMERLA400Ch;
    case 3:
        return TVIRNA400Ch;
    case 4:
        return TBOLDO400Ch;
    case 5:
        return TPALVO400Ch;
    case 6:
        return TRUSTA400Ch;
    case 7:
        return TTASPAD_WIRELESSCh;
    case 8:
        return TOBRIN400Ch;
    default:
        return kNoChannels;
    }
}

const QStringList& channelNames800(int tipo) {
    switch (tipo) {
    case 1:
        return TULMO400Ch;
    case 2:
        return TMERLA400Ch;
    case 3:
        return TVIRNA400Ch;
    case 5:
        return TVIRNAT400Ch;
    case 6:
        return TVIRNA400Ch;
    case 7:
        return TRUSTA800Ch;
    case 9:
        return TPALVO400Ch;
    default:
        return kNoChannels; // 4 remote control, 8 siren, 0 and unknown types
    }
}

QStringList NumberItems(int from, int to) {
    QStringList items;
    items.reserve(qMax(0, to - from + 1));
    for (int i = from; i <= to; ++i)
        items.append(QString::number(i));
    return items;
}

namespace {
// The output-function list of each model and its sign twin, by system type 1..6.
struct OutputFunctionLists {
    QStringList* texts;
    QStringList* signs;
};
const OutputFunctionLists kOutputFunctionLists[] = {
    {&ListaFunzioneUsciteTAVEK, &ListaFunzioneUsciteSegniTAVEK},
    {&ListaFunzioneUsciteMIRUN, &ListaFunzioneUsciteSegniMIRUN},
    {&ListaFunzioneUsciteMIRUNPLUS, &ListaFunzioneUsciteSegniMIRUNPLUS},
    {&ListaFunzioneUscitePELUN, &ListaFunzioneUsciteSegniPELUN},
    {&ListaFunzioneUsciteQUANE, &ListaFunzioneUsciteSegniQUANE},
    {&ListaFunzioneUsciteZOREM, &ListaFunzioneUsciteSegniZOREM},
};
static_assert(std::size(kOutputFunctionLists) == kSystemTypeCount,
              "one pair of output-function lists a model");
const OutputFunctionLists* outputFunctionLists(int systemType) {
    return modelFeatures(systemType) ? &kOutputFunctionLists[systemType - 1] : nullptr;
}
} // namespace

QStringList* ListaFunzioneUscite(int systemType) {
    const OutputFunctionLists* l = outputFunctionLists(systemType);
    return l ? l->texts : nullptr;
}

QStringList* ListaFunzioneUsciteSegni(int systemType) {
    const OutputFunctionLists* l = outputFunctionLists(systemType);
    return l ? l->signs : nullptr;
}

// On a model with eight partitions the outputs may follow any of the eight.
QStringList* ListaCondFunzioneUscite(int systemType) {
    const ModelFeatures* model = modelFeatures(systemType);
    if (!model)
        return nullptr;
    return model->eightPartitions ? &ListaCondFunzioneUsciteMIRUN : &ListaCondFunzioneUsciteTAVEK;
}

QStringList* ListaCondFunzioneUsciteSegni(int systemType) {
    const ModelFeatures* model = modelFeatures(systemType);
    if (!model)
        return nullptr;
    return model->eightPartitions ? &ListaCondFunzioneUsciteSegniMIRUN : &ListaCondFunzioneUsciteSegniTAVEK;
}

QList<QStringList*> VocabularyLists() {
    return {
        &ListaTipoIngresso_TAVEK_MIRUN,
        &ListaTipoIngressoSegni_TAVEK_MIRUN,
        &ListaTipoIngresso_TAVEK_MIRUNR1,
        &ListaTipoIngresso_TAVEK_MIRUNR2,
        &ListaTipoIngresso_TAVEK_MIRUNR3,
        &ListaTipoIngresso_TAVEK_MIRUNNR,
        &ListaFunzioniIngresso,
        &ListaFunzioniIngressoSegni,
        &ListaSirenaIngresso,
        &ListaSirenaIngressoSegni,
        &ListaImpulsiIngresso,
        &ListaCicliEsclusione,
        &ListaTempoIngresso,
        &ListaPolaritaIngressi,
        &ListaPolaritaIngressiSegni,
        &ListaFunzioneUsciteTAVEK,
        &ListaFunzioneUsciteMIRUN,
        &ListaFunzioneUsciteMIRUNPLUS,
        &ListaFunzioneUscitePELUN,
        &ListaFunzioneUsciteQUANE,
        &ListaFunzioneUsciteZOREM,
        &ListaFunzioneUsciteSegniTAVEK,
        &ListaFunzioneUsciteSegniMIRUN,
        &ListaFunzioneUsciteSegniMIRUNPLUS,
        &ListaFunzioneUsciteSegniPELUN,
        &ListaFunzioneUsciteSegniQUANE,
        &ListaFunzioneUsciteSegniZOREM,
        &ListaCondFunzioneUsciteTAVEK,
        &ListaCondFunzioneUsciteMIRUN,
        &ListaCondFunzioneUsciteSegniTAVEK,
        &ListaCondFunzioneUsciteSegniMIRUN,
        &ListaPolaritaUscite,
        &ListaPolaritaUsciteSegni,
        &ListaMessaggi,
    };
}

QString WiringNotConfigured() {
    return LangTexts::InputWirings.at(0);
}

QString WiringRadio() {
    return LangTexts::InputWirings.at(3);
}

bool IsPartitionFunction(const QString& inputFunction) {
    // The functions that switch partitions are those signed "O", "Z" and "Y".
    const int pos = LangTexts::InputFunctions.indexOf(inputFunction);
    if (pos < 0)
        return false;
    const QString& sign = LangTexts::InputFunctionSigns.at(pos);
    return sign == QLatin1String("O") || sign == QLatin1String("Z") || sign == QLatin1String("Y");
}

QString PilotFunction() {
    return LangTexts::OutputFunctions.at(2);
}

void LanguageRewrite() {
    using namespace LangTexts;
    ListaTipoIngresso_TAVEK_MIRUN = InputWirings;
    ListaTipoIngressoSegni_TAVEK_MIRUN = InputWiringSigns;
    ListaTipoIngresso_TAVEK_MIRUNR1 = InputWirings.mid(0, 16);
    ListaTipoIngresso_TAVEK_MIRUNR2 = InputWiringsR2;
    ListaTipoIngresso_TAVEK_MIRUNR3 = InputWiringsR3;
    ListaTipoIngresso_TAVEK_MIRUNNR = {InputWirings.at(0), InputWirings.at(3)};
    ListaFunzioniIngresso = InputFunctions;
    ListaFunzioniIngressoSegni = InputFunctionSigns;
    ListaSirenaIngresso = InputSirens;
    ListaSirenaIngressoSegni = InputSirenSigns;
    ListaImpulsiIngresso = NumberItems(1, 100);
    ListaCicliEsclusione = NumberItems(0, 10);
    ListaTempoIngresso = NumberItems(0, 240);
    ListaPolaritaIngressi = InputPolarities;
    ListaPolaritaIngressiSegni = InputPolaritySigns;

    for (int type = 1; type <= kSystemTypeCount; ++type) {
        *ListaFunzioneUscite(type) = firstOutputFunctions(OutputFunctions, type);
        *ListaFunzioneUsciteSegni(type) = firstOutputFunctions(OutputFunctionSigns, type);
    }
    ListaCondFunzioneUsciteTAVEK = OutputConditionsTAVEK;
    ListaCondFunzioneUsciteMIRUN = OutputConditionsMIRUN;
    ListaCondFunzioneUsciteSegniTAVEK = OutputConditionSignsTAVEK;
    ListaCondFunzioneUsciteSegniMIRUN = OutputConditionSignsMIRUN;
    ListaPolaritaUscite = OutputPolarities;
    ListaPolaritaUsciteSegni = OutputPolaritySigns;
    ListaMessaggi.clear(); // refilled from the vocabulary table before each use

    Version = FileVersion(QCoreApplication::applicationFilePath());

    if (windowTextsHook)
        windowTextsHook();
}

void FreeVocabularyLists() {
    for (QStringList* list : VocabularyLists())
        list->clear();
}

QChar TimeSeparator() {
    static const QChar sep =
        separatorOf(QLocale::system().timeFormat(QLocale::ShortFormat), QLatin1Char(':'));
    return sep;
}

QChar DateSeparator() {
    static const QChar sep =
        separatorOf(QLocale::system().dateFormat(QLocale::ShortFormat), QLatin1Char('/'));
    return sep;
}

} // namespace Lang
