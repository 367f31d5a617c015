unit Teiler;  { Splitterleisten zum Ziehen zwischen zwei Fenstern (Demo-Disc) }
interface
implementation
end.
