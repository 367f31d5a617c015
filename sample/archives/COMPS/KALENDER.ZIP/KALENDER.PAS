unit Kalender;  { Kalenderkomponente }
interface
implementation
end.
