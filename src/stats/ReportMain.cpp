// morvane-report: prints a title's text report on standard output.
int main()
{
    return 0;
}
