#include "testsupport.h"
class T : public QObject { Q_OBJECT };
ZAPQUIL_TEST_MAIN(T)
#include "tst_export.moc"
