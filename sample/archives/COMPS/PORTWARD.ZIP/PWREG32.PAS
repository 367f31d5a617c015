unit PWReg32;  { Port warden, 32 bit }
interface
implementation
end.
