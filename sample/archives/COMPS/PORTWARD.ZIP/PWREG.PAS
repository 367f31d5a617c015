unit PWReg;  { Port warden, 16 bit }
interface
implementation
end.
