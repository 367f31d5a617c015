unit FMReg32;  { Field master, 32 bit }
interface
implementation
end.
