// A program that loads Qt Core and does nothing else: the least time any
// program of Qt takes to start and end, beside which the report tool's time
// on a tiny title is read.
#include <QtGlobal>

int main()
{
    return qVersion()[0] == '\0' ? 1 : 0;
}
