unit BildFmt;  { Lader für weitere Bildformate }
interface
implementation
end.
