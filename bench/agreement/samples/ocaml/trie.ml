(* A trie of strings with counts, and a word-frequency report.
   (* Comments nest in OCaml. *) *)

module CharMap = Map.Make (Char)

type t = { count : int; children : t CharMap.t }

let empty = { count = 0; children = CharMap.empty }

exception Not_a_word of string

let rec add word ?(at = 0) node =
  if at = String.length word then { node with count = node.count + 1 }
  else
    let c = word.[at] in
    let child = match CharMap.find_opt c node.children with Some n -> n | None -> empty in
    { node with children = CharMap.add c (add word ~at:(at + 1) child) node.children }

let rec find word ?(at = 0) node =
  if at = String.length word then node.count
  else
    match CharMap.find_opt word.[at] node.children with
    | None -> 0
    | Some child -> find word ~at:(at + 1) child

let fold f node init =
  let rec go prefix node acc =
    let acc = if node.count > 0 then f (String.concat "" (List.rev prefix)) node.count acc else acc in
    CharMap.fold (fun c child acc -> go (String.make 1 c :: prefix) child acc) node.children acc
  in
  go [] node init

let words_of_line line =
  line
  |> String.split_on_char ' '
  |> List.filter (fun w -> w <> "")
  |> List.map String.lowercase_ascii

class counter = object (self)
  val mutable total = 0
  method add n = total <- total + n; self#total
  method total = total
end

let () =
  let lines = [ "the cat and the hat"; "The end"; "a 'quoted' word\tand \"escapes\"" ] in
  let trie = List.fold_left (fun t line -> List.fold_left (fun t w -> add w t) t (words_of_line line)) empty lines in
  let c = new counter in
  fold (fun w n () -> ignore (c#add n); Printf.printf "%-10s %d\n" w n) trie ();
  Printf.printf "total %d, 'the' %d, hex %d, float %f, char %c\n" c#total (find "the" trie) 0xFF 1.5e3 'x';
  if find "zebra" trie = 0 && not false then print_endline "no zebra";
  try raise (Not_a_word "") with Not_a_word w -> Printf.printf "caught %S\n" w
