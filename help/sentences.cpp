// Every sentence the help shows a pupil, in one table. A word in braces is a
// number (or word) from the pupil's own board, filled in when it is shown:
//
//   {deler}      the divisor                  {getal}     what the step divides
//   {cijfer}     the pupil's quotient digit   {plaats}    "tientallen", "eenheden", ...
//   {keer}       digit x divisor              {product}   the pupil's product
//   {boven}      the row above the product    {onder}     the product under it
//   {verschil}   the pupil's difference       {min1}      the digit minus one
//   {min1keer}   that times the divisor       {klein} {kleinkeer} {groot} {grootkeer}
//                                             two multiples on either side
//   {deeltal}    the dividend                 {schatting} the pupil's estimate
//   {zin}        another sentence of this table
//
// A first hint names only numbers that stand on the board: it never gives the
// digit to type. A second hint may show the multiples around it; the choice
// stays the pupil's.

#include "help/sentences.h"


namespace help {

namespace {

struct Row {
  Say what;
  const char16_t* text;
};

constexpr Row kSentences[] = {
    // ---- the box in focus, first hint and second hint
    {Say::Digit, u"Hoeveel keer past {deler} in {getal}?"},
    {Say::DigitPlace, u"Hoeveel keer past {deler} in {getal} {plaats}?"},
    {Say::DigitComma, u"Na de komma: hoeveel keer past {deler} in {getal}?"},
    {Say::DigitSecond, u"{deler} × {klein} = {kleinkeer} en {deler} × {groot} = {grootkeer}. Welke past nog in {getal}?"},
    {Say::AboveFirst, u"Maak eerst de stap erboven af."},
    {Say::Product, u"Reken uit: {cijfer} × {deler}."},
    {Say::ProductTens, u"Reken uit: {cijfer} × {deler}. Hier komt het eerste cijfer, onder de tien een nul."},
    {Say::ProductUnits, u"Reken uit: {cijfer} × {deler}. Hier komt het laatste cijfer."},
    {Say::ProductSecond, u"{min1} × {deler} = {min1keer}. Tel er nog {deler} bij op."},
    {Say::ProductSecondOne, u"1 × {deler} is één groepje van {deler}."},
    {Say::ProductSecondZero, u"0 × {deler}: nul groepjes van {deler}. Hoeveel heb je dan?"},
    {Say::DigitFirst, u"Vul eerst het cijfer in het quotiënt in."},
    {Say::Difference, u"Trek af: {boven} − {onder}."},
    {Say::DifferenceLast, u"Trek af: {boven} − {onder}. Wat overblijft, is de rest."},
    {Say::DifferenceSecond, u"Tel verder van {onder} tot {boven}. Hoeveel stappen zijn dat?"},
    {Say::RowsFirst, u"Vul eerst de rijen erboven in."},
    {Say::BroughtDown, u"Haal het volgende cijfer van het deeltal naar beneden."},
    {Say::BroughtDownSecond, u"Kijk in het deeltal, bij de {plaats}."},
    {Say::Estimate, u"Zoek een getal dicht bij {deeltal} dat je makkelijk door {deler} deelt."},
    {Say::EstimateSecond, u"{deler} × {klein} = {kleinkeer} en {deler} × {groot} = {grootkeer}. Waar ligt {deeltal}?"},
    {Say::Idle, u"Klik op START voor een nieuwe deling."},
    {Say::NoBox, u"Klik in een vakje en vraag dan hulp."},

    // ---- after CONTROLE: the first step that went wrong
    {Say::CommaStep, u"Na de komma: {zin}"},
    {Say::BroughtDownWrong, u"Je haalde {cijfer} naar beneden, maar bij de {plaats} van het deeltal staat iets anders."},
    {Say::ZeroForgotten, u"{deler} past niet in {boven}. Dan komt er een 0 in het quotiënt."},
    {Say::DigitTooLarge, u"{keer} is meer dan {boven}: het cijfer {cijfer} is te groot."},
    {Say::ProductWrong, u"{cijfer} × {deler} is niet {product}."},
    {Say::DifferenceWrong, u"{boven} − {onder} is niet {verschil}."},
    {Say::RemainderWrong, u"De rest klopt niet: {boven} − {onder} is niet {verschil}."},
    {Say::DigitTooSmall,
     u"Het verschil {verschil} is niet kleiner dan {deler}: de {deler} past nog een keer. Het cijfer {cijfer} is te klein."},
    {Say::RemainderTooLarge,
     u"De rest {verschil} is niet kleiner dan {deler}: de {deler} past nog een keer. Het cijfer {cijfer} is te klein."},
    {Say::QuotientWrong, u"Het quotiënt klopt niet. Kijk elke stap nog eens na."},
    {Say::EstimateHigh, u"{schatting} × {deler} = {keer}: veel meer dan {deeltal}."},
    {Say::EstimateLow, u"{schatting} × {deler} = {keer}: veel minder dan {deeltal}."},
};

}  // namespace

QString Sentence(Say what, std::initializer_list<std::pair<const char*, QString>> values) {
  QString text;
  for (const Row& row : kSentences)
    if (row.what == what) text = QString::fromUtf16(row.text);
  for (const auto& [name, value] : values) text.replace(u'{' + QLatin1String(name) + u'}', value);
  return text;
}

}  // namespace help
