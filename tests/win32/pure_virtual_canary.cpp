// The shape of call the code guard exists for, kept so that the guard is seen to find it: an
// interface in an anonymous namespace that no class of this file implements, called through a
// pointer from elsewhere. GCC compiles the call into one of __cxa_pure_virtual.
namespace {
struct Unimplemented {
    virtual int answer() = 0;
};
}  // namespace

void* unimplementedFromElsewhere();

int askUnimplemented() { return static_cast<Unimplemented*>(unimplementedFromElsewhere())->answer(); }
