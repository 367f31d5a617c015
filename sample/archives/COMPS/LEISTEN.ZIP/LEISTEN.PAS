unit Leisten;  { Werkzeugleisten }
interface
implementation
end.
