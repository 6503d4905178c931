// Keeps the support library non-empty while the folder holds only headers.
namespace tonel::testing { void supportLibraryAnchor() {} }
