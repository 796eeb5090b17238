// Written division as the tests and the random pupil work it, held against
// divisions worked by hand.

#include <QTest>
#include <stdexcept>

#include "support/division.h"
#include "support/testmain.h"

using testing_support::WorkDivision;
using testing_support::WrittenDivision;

namespace {

QString Join(const WrittenDivision& w, std::int64_t testing_support::DivisionStep::*field) {
  QStringList out;
  for (const auto& s : w.steps) out << QString::number(s.*field);
  return out.join(u' ');
}

}  // namespace

class DivisionTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void steps_data() {
    QTest::addColumn<qint64>("dividend");
    QTest::addColumn<int>("divisor");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<int>("columns");
    QTest::addColumn<QString>("numbers");
    QTest::addColumn<QString>("digits");
    QTest::addColumn<QString>("products");
    QTest::addColumn<QString>("down");
    QTest::addColumn<int>("leadingZeros");
    QTest::addColumn<qint64>("remainder");
    QTest::newRow("852:4") << qint64(852) << 4 << 0 << 1 << "8 5 12" << "213" << "8 4 12" << "5 2 -1" << 0
                           << qint64(0);
    QTest::newRow("156:3, opening with zero") << qint64(156) << 3 << 0 << 1 << "1 15 6" << "052" << "0 15 6"
                                              << "5 6 -1" << 1 << qint64(0);
    QTest::newRow("52 on three columns") << qint64(52) << 4 << 0 << 3 << "0 5 12" << "013" << "0 4 12"
                                         << "5 2 -1" << 1 << qint64(0);
    QTest::newRow("98765:7, five digits, remainder") << qint64(98765) << 7 << 0 << 1 << "9 28 7 6 65" << "14109"
                                                     << "7 28 7 0 63" << "8 7 6 5 -1" << 0 << qint64(2);
    // 0,125 : 5 = 0,025 in thousandths: the comma's zero is a step of its own.
    QTest::newRow("0,125:5 in thousandths") << qint64(125) << 5 << 3 << 1 << "0 1 12 25" << "0025"
                                            << "0 0 10 25" << "1 2 5 -1" << 2 << qint64(0);
    QTest::newRow("7:9, nothing divides") << qint64(7) << 9 << 0 << 1 << "7" << "0" << "0" << "-1" << 0
                                          << qint64(7);
  }
  void steps() {
    QFETCH(qint64, dividend);
    QFETCH(int, divisor);
    QFETCH(int, decimals);
    QFETCH(int, columns);
    const WrittenDivision w = WorkDivision(dividend, divisor, decimals, columns);
    QTEST(Join(w, &testing_support::DivisionStep::number), "numbers");
    QString digits;
    for (int d : w.QuotientDigits()) digits += QString::number(d);
    QTEST(digits, "digits");
    QTEST(Join(w, &testing_support::DivisionStep::product), "products");
    QStringList down;
    for (const auto& s : w.steps) down << QString::number(s.broughtDown);
    QTEST(down.join(u' '), "down");
    QTEST(w.leadingZeros, "leadingZeros");
    QTEST(qint64(w.remainder), "remainder");
    // What every written division owes, whatever the row.
    QCOMPARE(w.quotient * divisor + w.remainder, dividend);
    for (const auto& s : w.steps) QVERIFY(s.difference == s.number - s.product && s.difference < divisor);
  }

  void refusesWhatIsNoWrittenDivision() {
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, WorkDivision(100, 0));
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, WorkDivision(100, 10));
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, WorkDivision(-5, 3));
  }
};

REKENTOL_TEST_MAIN(DivisionTest)
#include "tst_division.moc"
