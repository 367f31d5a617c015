unit RundKnpf;  { Runde Knöpfe }
interface
implementation
end.
